/* Names and texts shared by the resource script and the code. Plain C macros so
   that windres can read them too. */
#ifndef ZANDOR_PRODUCT_STRINGS_H
#define ZANDOR_PRODUCT_STRINGS_H

#define IDS_INSTANCE_ATOM 1
#define IDS_PRODUCT_ID 2
#define IDS_UPDATE_URL 3
#define IDS_FAMILY_KEY 4
#define IDS_PRODUCT_KEY 5
#define IDS_SLOW_RENDERER 15

#define STR_INSTANCE_ATOM "ZANDOR 3D ScreenSaver"
#define STR_PRODUCT_ID "ZANDOR3D"
#define STR_UPDATE_URL "http://www.orbicade.com/update/orbicade.xml"
#define STR_FAMILY_KEY "Software\\Quarnel\\Orbicade"
#define STR_PRODUCT_KEY "Zandor3D"
/* The product as the family catalogue and the file's version record name it. */
#define STR_PRODUCT_TITLE "Zandor 3D screensaver"
/* Family key value: non-zero lets the launcher pick a random member for full-screen runs. */
#define STR_START_RANDOM "StartRandom"
/* Family key subkey with one value per installed member: identifier as name, title as data. */
#define STR_FAMILY_LIST_KEY "List"
/* Values of each member's own key below the family key, written by its installer. */
#define STR_EXECUTABLE_PATH "ExecutablePath"
#define STR_INSTALL_PATH "InstallPath"
/* The settings dialog's download cache in the install folder: the product list, and a
   folder per product with its pictures. Each file is written beside itself under the
   suffix first, then renamed into place. */
#define STR_CACHE_FOLDER "web"
#define STR_CACHED_DOCUMENT "update.xml"
#define STR_CACHED_SCREENSHOT "screenshot.jpg"
#define STR_CACHED_ICON "icon.bmp"
#define STR_PARTIAL_SUFFIX ".partial"
#define STR_WEB_ADDRESS "www.orbicade.com"
#define STR_MAIL_ADDRESS "support@orbicade.com"
#define STR_SLOW_RENDERER                                                                                              \
    "The screensaver seems to run very slow...\nTo run it smoother and faster you need OpenGL compatible 3D "          \
    "accelerated videocard.\nIf you have it, please install latest device drivers. (Usually available for free on "    \
    "manufacturer's website).\n\nIf your videocard does not supports OpenGL hardware acceleration, you can try to "    \
    "switch\n videomode to lower resolution & color-depth in screensaver settings dialog."

#define IDD_LOADING 150
#define IDR_RESOURCE_PACK 152

#endif

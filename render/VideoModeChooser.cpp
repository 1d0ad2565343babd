#include "render/VideoModeChooser.h"

bool VideoModeChooser::choose(Settings& settings)
{
    DesktopMode desktop = platform_.desktop();
    if (settings.xResolution == desktop.width && settings.yResolution == desktop.height &&
        settings.colorDepth == desktop.bitsPerPixel)
        settings.currentVideomode = 1;  // this run only: nothing to switch
    if (settings.currentVideomode != 0)
        return false;
    if (settings.xResolution == 0 || settings.yResolution == 0) {
        settings.xResolution = desktop.width;
        settings.yResolution = desktop.height;
    }
    if (settings.colorDepth == 0)
        settings.colorDepth = desktop.bitsPerPixel;
    if (platform_.requestFullScreenMode(settings.xResolution, settings.yResolution, settings.colorDepth))
        return true;
    // Later runs start in the desktop mode instead of asking again.
    platform_.fullScreenClientSize(settings.xResolution, settings.yResolution);
    settings.currentVideomode = 1;
    platform_.saveSettings(settings);
    return false;
}

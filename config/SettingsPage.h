#pragma once
#include "framework/Dialog.h"

#include <memory>
#include <string>

#include "config/AboutPage.h"
#include "config/DisplayModeList.h"
#include "config/Settings.h"

// The product's own page of settings, a child dialog inside the settings dialog
// or inside another family program's dialog. Reads the settings when it comes up
// and writes them whenever its window goes, however that happens.
class SettingsPage : public Dialog {
public:
    // A child of parent, moved to rect.
    bool create(const RECT& rect, HWND parent);

protected:
    INT_PTR dialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL onInitDialog() override;
    void onDestroy() override;

private:
    void load();
    void save();
    void transferToControls();
    void transferFromControls();
    void enumerateModes();
    std::string selectedModeText() const;
    void selectModeText(const std::string& text);
    void showSettingsControls(bool show);

    LRESULT onPreview(WPARAM wParam, LPARAM lParam);
    LRESULT onRestoreDefaults(WPARAM wParam, LPARAM lParam);
    LRESULT onIgnoredCommand(WPARAM wParam, LPARAM lParam) { return 0; }
    LRESULT onClose(WPARAM wParam, LPARAM lParam);
    void onDesktopClicked();
    void onModeDropDown();
    void onModeFocus();
    LRESULT onTabChanged(const NMHDR& header);
    static const Handler<SettingsPage> handlers[];

    Settings settings_;
    DisplayModeList modes_;
    int speed_ = 0;
    int demo_ = 0;
    int desktop_ = 0;
    int random_ = 0;
    std::unique_ptr<AboutPage> about_;
};

#pragma once
// The main window's controls: the design table of captions and places, the tab
// order, the line under the programmer type and the window's font.
class QFont;
class QMainWindow;
class QWidget;

// The objectNames of the window's controls other than the settings' (those are in
// settings/SettingField.h) and the settings view's buttons (settings/gui/SettingsView.h). The names
// are fixed: scripts drive the window by them.
namespace MainWindowControl {
inline constexpr char progTypeLabel[] = "Label17";
inline constexpr char progTypeText[] = "progtypeText";
inline constexpr char mainSettingsHeading[] = "Label10";
inline constexpr char pushDelayHeading[] = "Label13";
inline constexpr char modOnMsecLabel[] = "Label14";
inline constexpr char modOffMsecLabel[] = "Label15";
inline constexpr char turnOnModEnabledHeading[] = "Label3";
inline constexpr char turnOnModDisabledHeading[] = "Label11";
inline constexpr char turnOffHeading[] = "Label12";
inline constexpr char ejectTrayHeading[] = "Label8";
} // namespace MainWindowControl

class MainWindowLayout
{
public:
    // The client area in twips, status bar included. It is wider than the column
    // of controls so that the status bar shows its longest texts in full.
    static constexpr int ClientWidth = 6240;
    static constexpr int ClientHeight = 6960;
    // The column of controls, centred in the client area.
    static constexpr int ControlsWidth = 3840;
    // The least room between two controls on a row, and right of the widest row.
    static constexpr int MinimumGap = 120;

    // The window's design font, or a sans font of the same size where it is missing.
    static QFont designFont();

    // Puts every control on a new central widget of `window`, in tab order. The
    // window's font must be set first: headings are drawn from it.
    static void buildControls(QMainWindow &window);
};

#pragma once
// Where every control of the window sits, what kind it is and what it shows
// at start, in creation order. Coordinates are relative to the client area
// for the top area and to the page area for the controls of a tab page.

#include <string>
#include <vector>

#include "control_id.h"

namespace vexilor {

enum class ControlKind { Label, List, Field, Button, CheckBox, Picture, Table };

struct ControlSpec {
    ControlId id;
    ControlKind kind;
    int x;
    int y;
    int width;
    int height;
    // Labels, fields, buttons and the check box.
    std::string text;
    // Lists.
    std::vector<std::string> rows;
};

struct PageSpec {
    std::string title;
    std::vector<ControlSpec> controls;
};

// The top area above the tab panel. The Port list comes without rows: they
// are the ports found at start-up.
std::vector<ControlSpec> TopAreaControls();
// The tab panel's pages, in tab order.
std::vector<PageSpec> TabPages();

inline constexpr int ClientWidth = 400;
// The client height before the menu bar takes its share.
inline constexpr int ClientHeightWithoutMenu = 610;
// The tab panel: its height is this less the menu bar's height, which leaves
// it 5 pixels above the bottom of the client area.
inline constexpr int TabPanelX = 5;
inline constexpr int TabPanelY = 130;
inline constexpr int TabPanelWidth = 390;
inline constexpr int TabPanelHeightWithoutMenu = 475;

inline constexpr int PictureWidth = 350;
inline constexpr int PictureHeight = 150;

}  // namespace vexilor

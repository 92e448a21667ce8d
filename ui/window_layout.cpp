#include "ui/window_layout.h"

namespace corvanel::layout {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kCyan = RGB(0, 255, 255);
constexpr COLORREF kTeal = RGB(0, 128, 128);
constexpr COLORREF kYellow = RGB(255, 255, 0);

constexpr Font kGuiFont{0, L""};
constexpr Font kBoxFont{16, L""};
constexpr Font kLabelFont{19, L""};
constexpr Font kButtonFont{14, L"黑体"};

constexpr std::string_view kWindow;
constexpr std::string_view kInputArea = "分组框1";

constexpr bool kShown = true, kHidden = false;
constexpr bool kTabStop = true, kNoTab = false;
constexpr DWORD kSunken = WS_EX_CLIENTEDGE;
constexpr DWORD kLine = WS_BORDER;

constexpr Window kWindowSettings{L"CorvanelV1.0  By Ravimont", 507, 319, kTeal};

constexpr Component kComponents[] = {
    // kind, name, parent, left, top, width, height, text, font, text colour, style, extended style, input, ...
    {Kind::EditBox, "Dp2", kWindow, 472, 280, 24, 16, L"", kGuiFont, kBlack, ES_LEFT | kLine, 0, Input::AnyText,
     kHidden, kTabStop},
    {Kind::EditBox, "Dp1", kWindow, 445, 280, 24, 16, L"", kGuiFont, kBlack, ES_LEFT | kLine, 0, Input::AnyText,
     kHidden, kTabStop},
    {Kind::TransLabel, "透明标签8", kWindow, 304, 119, 34, 34, L"mm", kLabelFont, kCyan, 0, 0, Input::AnyText, kShown,
     kNoTab},
    {Kind::TransLabel, "透明标签7", kWindow, 340, 196, 34, 34, L"mm", kLabelFont, kCyan, 0, 0, Input::AnyText, kShown,
     kNoTab},
    {Kind::EditBox, "计算结果框", kWindow, 209, 191, 120, 32, L"", kBoxFont, kBlack, ES_CENTER | kLine, 0,
     Input::AnyText, kShown, kTabStop},
    {Kind::TransLabel, "透明标签6", kWindow, 58, 190, 141, 40, L"节线长计算结果", kLabelFont, kCyan, 0, 0,
     Input::AnyText, kShown, kNoTab},
    {Kind::EditBox, "设计中心距框", kWindow, 220, 112, 72, 32, L"", kBoxFont, kBlack, ES_CENTER, kSunken,
     Input::DecimalNumber, kShown, kTabStop},
    {Kind::TransLabel, "透明标签5", kWindow, 110, 110, 102, 38, L"设计中心距", kLabelFont, kCyan, 0, 0, Input::AnyText,
     kShown, kNoTab},
    {Kind::EditBox, "从动轮齿数框", kWindow, 322, 68, 72, 32, L"", kBoxFont, kBlack, ES_CENTER, kSunken,
     Input::WholeNumber, kShown, kTabStop},
    {Kind::TransLabel, "透明标签4", kWindow, 216, 67, 102, 38, L"从动轮齿数", kLabelFont, kCyan, 0, 0, Input::AnyText,
     kShown, kNoTab},
    {Kind::EditBox, "主动轮齿数框", kInputArea, 107, 60, 72, 32, L"", kBoxFont, kBlack, ES_CENTER, kSunken,
     Input::WholeNumber, kShown, kTabStop},
    {Kind::TransLabel, "透明标签3", kWindow, 29, 66, 102, 38, L"主动轮齿数", kLabelFont, kCyan, 0, 0, Input::AnyText,
     kShown, kNoTab},
    {Kind::ComboBox, "齿形框", kInputArea, 180, 21, 112, 20, L"", kGuiFont, kBlack, 0, 0, Input::AnyText, kShown,
     kTabStop},
    {Kind::TransLabel, "透明标签2", kInputArea, 83, 12, 80, 32, L"输入齿形", kLabelFont, kCyan, 0, 0, Input::AnyText,
     kShown, kNoTab},
    // Drawn in the colour of the face beneath it.
    {Kind::TransLabel, "透明标签1", kInputArea, 10, 16, 56, 24, L"输入齿形", kGuiFont, kTeal, 0, 0, Input::AnyText,
     kShown, kNoTab},
    {Kind::Button, "按钮1", kWindow, 439, 72, 40, 88, L"开始计算", kButtonFont, kBlack, 0, 0, Input::AnyText, kShown,
     kTabStop},
    {Kind::GroupBox, "分组框1", kWindow, 20, 8, 396, 152, L"输入区", kBoxFont, kYellow, 0, 0, Input::AnyText, kShown,
     kNoTab},
    {Kind::GroupBox, "分组框2", kWindow, 20, 162, 396, 86, L"结果区", kBoxFont, kYellow, 0, 0, Input::AnyText, kShown,
     kNoTab},
};

}  // namespace

const Window& MainWindowSettings() { return kWindowSettings; }

std::span<const Component> Components() { return kComponents; }

}  // namespace corvanel::layout

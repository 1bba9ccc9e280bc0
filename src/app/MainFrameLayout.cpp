// The window layout from one run to the next: the frame's place and size, the shares of the
// splitter's column and rows, and the widths of the list columns, under "Window" of the
// settings key, beside the control-bar state.

#include "app/MainFrame.h"

#include "app/FramePlacement.h"
#include "app/FrameSettingsKey.h"
#include "browser/FileView.h"

#include <wx/display.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>
#include <vector>

namespace {
const char* const kLayoutSection = "Window";
const char* const kPositionValue = "Position";       // "x y"
const char* const kSizeValue = "Size";               // "width height maximized"
const char* const kSplittersValue = "Splitters";     // column share, row share, in 1/10000
const char* const kColumnsValue = "ListColumns";     // widths of the upper, then the lower list
constexpr int kShareScale = 10000;
constexpr int kListColumns = 3;
// A frame smaller than this is not one the user left on purpose.
constexpr int kMinFrameWidth = 320;
constexpr int kMinFrameHeight = 240;
// At least this much of a saved frame must lie on a screen, or its place is ignored.
constexpr int kMinVisible = 48;
constexpr int kMaxColumnWidth = 4000;

std::vector<int> NumbersOf(const std::string& text)
{
    std::istringstream in(text);
    std::vector<int> numbers;
    int number = 0;
    while (in >> number)
        numbers.push_back(number);
    if (!in.eof())
        return {};
    return numbers;
}

std::string TextOf(const std::vector<int>& numbers)
{
    std::ostringstream out;
    for (std::size_t i = 0; i < numbers.size(); ++i)
        out << (i ? " " : "") << numbers[i];
    return out.str();
}

bool ShownOnSomeScreen(const wxRect& rect)
{
    for (unsigned i = 0; i < wxDisplay::GetCount(); ++i) {
        const wxRect seen = wxDisplay(i).GetGeometry().Intersect(rect);
        if (seen.GetWidth() >= kMinVisible && seen.GetHeight() >= kMinVisible)
            return true;
    }
    return false;
}
} // namespace

void CMainFrame::SaveLayout(const std::string& appKeyPath) const
{
    FrameKey key = OpenFrameSection(appKeyPath, kLayoutSection);
    if (!key)
        return;   // the layout is a convenience; a registry that cannot be written loses only it

    // A maximized or minimized frame keeps the place it had before, to go back to next time.
    // The place is known once the frame was put there or the window manager told of a move;
    // a manager that placed the frame by its own rules may not tell, and then nothing is saved.
    const bool maximized = IsMaximized();
    if (!maximized && !IsIconized()) {
        const wxRect rect = GetRect();
        if (m_bPositionKnown)
            WriteFrameText(key.get(), kPositionValue, TextOf({rect.x, rect.y}));
        WriteFrameText(key.get(), kSizeValue, TextOf({ToDIP(rect.width), ToDIP(rect.height), 0}));
    } else if (auto saved = ReadFrameText(key.get(), kSizeValue)) {
        std::vector<int> size = NumbersOf(*saved);
        if (size.size() == 3) {
            size[2] = maximized ? 1 : 0;
            WriteFrameText(key.get(), kSizeValue, TextOf(size));
        }
    }

    const auto scaled = [](double share) { return static_cast<int>(std::lround(share * kShareScale)); };
    WriteFrameText(key.get(), kSplittersValue, TextOf({scaled(GetColumnShare()), scaled(GetRowShare())}));

    std::vector<int> widths;
    for (const FileView* list : m_lists) {
        for (int column = 0; column < kListColumns; ++column)
            widths.push_back(ToDIP(list->GetColumnWidth(column)));
    }
    WriteFrameText(key.get(), kColumnsValue, TextOf(widths));
}

void CMainFrame::OnMove(wxMoveEvent& event)
{
    event.Skip();
    if (!IsShown())
        return;
    m_bPositionKnown = true;
    // A window manager may place a new window by its own rules whatever place it asked for,
    // but honours a move of the mapped window: move it back to the saved place, a few times
    // at most, until the manager agrees.
    constexpr int kMaxPlacementTries = 3;
    if (!m_pendingPosition || IsMaximized())
        return;
    if (event.GetPosition() == *m_pendingPosition || ++m_placementTries > kMaxPlacementTries)
        m_pendingPosition.reset();
    else
        Move(*m_pendingPosition);
}

void CMainFrame::LoadLayout(const std::string& appKeyPath)
{
    FrameKey key = OpenFrameSection(appKeyPath, kLayoutSection);
    if (!key)
        return;

    // Place and size in one request: wxGTK sends a size alone with whatever place it holds.
    wxRect rect = GetRect();
    bool maximize = false;
    if (auto saved = ReadFrameText(key.get(), kSizeValue)) {
        const std::vector<int> size = NumbersOf(*saved);
        if (size.size() == 3 && size[0] >= kMinFrameWidth && size[1] >= kMinFrameHeight) {
            rect.SetSize(wxSize(FromDIP(size[0]), FromDIP(size[1])));
            maximize = size[2] != 0;
        }
    }
    std::optional<wxPoint> savedPlace;
    if (auto saved = ReadFrameText(key.get(), kPositionValue)) {
        const std::vector<int> position = NumbersOf(*saved);
        if (position.size() == 2 && ShownOnSomeScreen(wxRect(wxPoint(position[0], position[1]), rect.GetSize())))
            savedPlace = wxPoint(position[0], position[1]);
    }
    // The work area of the screen of the saved place, or else of the frame's.
    const int display = savedPlace ? wxDisplay::GetFromPoint(*savedPlace) : wxNOT_FOUND;
    const wxRect area = (display != wxNOT_FOUND ? wxDisplay(static_cast<unsigned>(display)) : wxDisplay(this)).GetClientArea();
    rect = FitInWorkArea(rect.GetSize(), savedPlace, area);
    // Asking for a place even without a saved one: a window manager's own placement may put a
    // large frame below the middle of the screen and hide its lower row past the edge.
    SetSize(rect);
    if (savedPlace) {
        m_bPositionKnown = true;
        m_pendingPosition = rect.GetPosition();
        m_placementTries = 0;
    }
    if (maximize)
        Maximize();

    if (auto saved = ReadFrameText(key.get(), kSplittersValue)) {
        const std::vector<int> shares = NumbersOf(*saved);
        const auto valid = [](int share) { return share > 0 && share < kShareScale; };
        if (shares.size() == 2 && valid(shares[0]) && valid(shares[1])) {
            SetColumnShare(static_cast<double>(shares[0]) / kShareScale);
            SetRowShare(static_cast<double>(shares[1]) / kShareScale);
        }
    }

    if (auto saved = ReadFrameText(key.get(), kColumnsValue)) {
        const std::vector<int> widths = NumbersOf(*saved);
        if (widths.size() == m_lists.size() * kListColumns) {
            for (std::size_t i = 0; i < widths.size(); ++i) {
                if (widths[i] > 0 && widths[i] <= kMaxColumnWidth)
                    m_lists[i / kListColumns]->SetColumnWidth(static_cast<int>(i % kListColumns), FromDIP(widths[i]));
            }
        }
    }
}

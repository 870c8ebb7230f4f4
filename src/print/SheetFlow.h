#pragma once

#include <algorithm>
#include <functional>

// The cursor of a print job that places blocks down its sheets: where the
// next block may start, whether it still fits on this sheet, and the turn to
// a new sheet, which starts with the sheet's head. It draws nothing itself
// and knows no unit: section pages count in twips, reports in device units,
// and the callbacks they give it do the drawing.
class SheetFlow
{
public:
    // Opens sheet number `sheet` (turning the paper unless it is the first)
    // and prints its head; returns the y where the sheet's content may begin.
    using OpenSheet = std::function<double(int sheet)>;
    // Prints, at the top of a sheet the flow has run onto, what makes the
    // sheet read alone (whose it is, the headings it goes on under), moving
    // the cursor below it through placeTo or advance.
    using Repeat = std::function<void()>;

    struct Rules
    {
        double bottom = 0;      // the lowest a block may reach
        double gap = 0;         // between a block and one pushed down below it
        double tolerance = 0;   // rounding that must not push a fitting block onto a new sheet
        int firstSheet = 1;     // the number the first sheet opens with
    };

    // Opens the first sheet.
    SheetFlow(const Rules &rules, OpenSheet open);

    // What a sheet the flow runs onto from room() repeats; none by default.
    void setRepeat(Repeat repeat) { m_repeat = std::move(repeat); }

    // Where a block whose own top is top goes: there, or below the last
    // block placed on this sheet (and the gap), whichever is lower.
    double startAt(double top) const { return std::max(top, m_placedOnSheet ? m_end + m_gap : m_end); }
    bool fits(double y, double height) const { return y + height <= m_bottom + m_tolerance; }

    // The y for a block of height at top or below the last block; when it
    // does not fit, on the next sheet below its head and what it repeats. A
    // block taller than a whole sheet stays where the sheet's content begins
    // and is the caller's to cut. The cursor does not move.
    double room(double top, double height);
    // The same, right after the last block.
    double room(double height) { return room(m_end, height); }
    // room() for a block of height that is then placed there.
    double reserve(double top, double height);

    // The last block placed ends at y.
    void placeTo(double y)
    {
        m_end = y;
        m_placedOnSheet = true;
    }
    void advance(double height) { placeTo(m_end + height); }

    // Opens the next sheet: its head, nothing repeated.
    void newSheet();
    // Opens the next sheet and prints on it what the flow repeats.
    void runOn();

    double end() const { return m_end; }   // below the last block, on the current sheet
    double contentTop() const { return m_contentTop; }
    double bottom() const { return m_bottom; }
    int sheet() const { return m_sheet; }

private:
    OpenSheet m_open;
    Repeat m_repeat;
    double m_bottom;
    double m_gap;
    double m_tolerance;
    int m_sheet;
    double m_contentTop = 0;
    double m_end = 0;
    bool m_placedOnSheet = false;
};

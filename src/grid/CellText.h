#pragma once

#include "CellSpec.h"

#include <QFont>
#include <QRectF>
#include <QString>

#include <array>

class QPainter;
class QPaintDevice;

namespace grid {

// How a cell's text is laid out inside the cell. The screen (row heights and
// painting) and the paper both go through here, so a text wraps at the same
// words in both places; only the paint device and the padding differ.
namespace CellText {

// How a text meets a cell too narrow for one of its words.
enum class Fit {
    // On screen: a word wider than the cell breaks inside it, where the user
    // sees and edits it whole in the editor.
    BreakWords,
    // On paper, where columns are fixed by the page design: the cell's text
    // shrinks until its widest word (a one-line cell: its widest line) fits,
    // down to PaperFloor of its size; only a word wider than the cell even
    // then breaks. Every text wraps, so paper never hides any of it.
    ShrinkWords,
};

// The smallest share of its size a printed text shrinks to.
constexpr double PaperFloor = 0.6;

// What the cell shows as text: nothing for a check box, the caption for a button.
const QString &shown(const CellSpec &cell);

// The grid's font with the cell's own weight.
QFont font(const QFont &base, const CellSpec &cell);

// Whether the text breaks into lines at the cell's width.
bool wraps(const CellSpec &cell);

// Height in device units of the text laid out in a box `width` wide; at least
// one line, also for an empty text.
double height(const CellSpec &cell, const QFont &font, const QPaintDevice *device, double width,
              Fit fit = Fit::BreakWords);

// The font the text is laid out in: font itself, or for ShrinkWords the
// size at which the text's widest word fits width (not below the floor).
QFont fitted(const CellSpec &cell, const QFont &font, const QPaintDevice *device, double width, Fit fit);

// Tells without laying a text out whether it certainly stands on one line,
// for grids of thousands of one-line rows (a list of learners): the sum of
// its characters' widest advances is compared with the width. Texts it cannot
// judge cheaply (line breaks, tabs, letters beyond Latin Extended-A, a sum
// near the width) are left to height().
class OneLine
{
public:
    OneLine(const QFont &font, const QPaintDevice *device);
    // Whether the cell's text takes one line in a box `width` wide.
    bool certain(const CellSpec &cell, const QString &text, double width) const;
    // The height of one line, as height() gives it for such a text.
    double lineHeight() const { return m_lineHeight; }

private:
    static constexpr int Judged = 0x180;
    QFont m_font;
    const QPaintDevice *m_device;
    double m_lineHeight;
    mutable std::array<double, Judged> m_advance;   // < 0: not measured yet
};

// The distance in device units from one line's top to the next's, as texts
// are laid out here (for cutting a tall cell between two lines).
double lineStep(const QFont &font, const QPaintDevice *device);

// Draws the text into `box` (already inside the cell's padding) with the
// cell's alignment; whatever does not fit is cut off at the box.
void draw(QPainter &painter, const CellSpec &cell, const QFont &font, const QRectF &box,
          const QColor &defaultColor, Fit fit = Fit::BreakWords);

} // namespace CellText
} // namespace grid

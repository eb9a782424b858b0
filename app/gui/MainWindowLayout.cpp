#include "app/gui/MainWindowLayout.h"

#include "app/gui/MainStatusBar.h"
#include "codes/gui/CodeLineEdit.h"
#include "gui/Twips.h"
#include "settings/gui/SettingsView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>

namespace {

enum class Kind { Label, FieldLabel, Heading, CheckBox, CodeField, NumberField, Button };

struct ControlSpec
{
    const char *name;
    Kind kind;
    const char *caption;
    int left, top, width, height;
};

// Design geometry in twips, top to bottom.
const ControlSpec Controls[] = {
    {"Label17", Kind::Label, QT_TRANSLATE_NOOP("MainWindow", "Prog Type:"), 120, 40, 855, 255},
    {"progtypeText", Kind::Label, "", 1080, 40, 2775, 255},
    {"Label10", Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Main Settings"), 525, 570, 1170,
     195},
    {"Check1", Kind::CheckBox, QT_TRANSLATE_NOOP("MainWindow", "Allow Power ON"), 840, 780, 1485,
     225},
    {"Check2", Kind::CheckBox, QT_TRANSLATE_NOOP("MainWindow", "Allow Power OFF"), 840, 990, 1590,
     225},
    {"Check3", Kind::CheckBox, QT_TRANSLATE_NOOP("MainWindow", "Allow Eject Tray"), 840, 1200, 1590,
     225},
    {"Check4", Kind::CheckBox, QT_TRANSLATE_NOOP("MainWindow", "Turn on xbox by Eject (fw 2.5+)"),
     840, 1440, 2775, 225},
    //: The console's power button, held for the time below
    {"Label13", Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Power Button Push Delay"), 525,
     1920, 2175, 195},
    {"Label2", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "Mod On:"), 1080, 2160, 615, 195},
    {"Text8", Kind::NumberField, "", 1890, 2160, 960, 195},
    {"Label14", Kind::Label, QT_TRANSLATE_NOOP("MainWindow", "msec"), 2880, 2160, 375, 195},
    {"Label1", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "Mod Off:"), 1080, 2445, 615, 195},
    {"Text7", Kind::NumberField, "", 1890, 2445, 960, 195},
    {"Label15", Kind::Label, QT_TRANSLATE_NOOP("MainWindow", "msec"), 2880, 2445, 375, 195},
    {"Label3", Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Turn On with Mod Enabled"), 525,
     2775, 2280, 195},
    //: The infrared code a remote button sends
    {"Label4", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "Code:"), 1275, 2985, 420, 195},
    {"Text1", Kind::CodeField, "", 1890, 3000, 960, 195},
    {"Label11", Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Turn On with Mod Disabled"), 525,
     3375, 2325, 195},
    {"Label5", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "Code:"), 1275, 3585, 420, 195},
    {"Text2", Kind::CodeField, "", 1890, 3600, 960, 195},
    {"Label12", Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Turn Off"), 525, 3960, 720, 195},
    {"Label6", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "Code:"), 1275, 4185, 420, 195},
    {"Text3", Kind::CodeField, "", 1890, 4185, 960, 195},
    {"Label7", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "No. Btn Presses:"), 510, 4440,
     1185, 195},
    {"Text4", Kind::NumberField, "", 1890, 4440, 960, 195},
    {"Label8", Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Eject Tray"), 525, 4800, 885, 195},
    {"Label9", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "Code:"), 1275, 5025, 420, 195},
    {"Text5", Kind::CodeField, "", 1890, 5040, 960, 195},
    {"Label16", Kind::FieldLabel, QT_TRANSLATE_NOOP("MainWindow", "No. Btn Presses:"), 510, 5280,
     1185, 195},
    {"Text6", Kind::NumberField, "", 1890, 5280, 960, 195},
    {"Command1", Kind::Button, QT_TRANSLATE_NOOP("MainWindow", "Read Values"), 390, 5970, 1380,
     330},
    {"Command2", Kind::Button, QT_TRANSLATE_NOOP("MainWindow", "Write All"), 1965, 5970, 1380, 330},
};

const char *const TabOrder[]
    = {"Command1", "Command2", "Check1", "Check2", "Text1", "Text7", "Text8",
       "Check3",   "Text3",    "Text2",  "Text4",  "Text5", "Text6", "Check4"};

} // namespace

QFont MainWindowLayout::designFont()
{
    const QString wanted = QStringLiteral("MS Sans Serif");
    QFont font(QFontDatabase::families().contains(wanted) ? wanted : QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    return font;
}

void MainWindowLayout::buildControls(QMainWindow &window)
{
    const auto tw = [&window](int value) { return twips(window, value); };

    auto *central = new QWidget(&window);
    central->setObjectName(QStringLiteral("centralWidget"));
    central->setFixedSize(tw(ClientWidth), tw(ClientHeight - MainStatusBar::HeightTwips));
    window.setCentralWidget(central);

    const int indent = tw((ClientWidth - ControlsWidth) / 2);
    QFont heading = window.font();
    heading.setBold(true);
    heading.setUnderline(true);

    QList<QWidget *> placed;
    // The fields are as wide as their longest text, the mark of a field a read missed
    // ("Not read from the board"); the "msec" labels keep their gap behind them.
    int fieldsRight = 0;
    constexpr int GapBehindField = 30;

    for (const ControlSpec &c : Controls) {
        const QString caption = QCoreApplication::translate("MainWindow", c.caption);
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::Label:
        case Kind::FieldLabel:
        case Kind::Heading: {
            auto *label = new QLabel(caption, central);
            if (c.kind == Kind::Heading)
                label->setFont(heading);
            label->setAlignment((c.kind == Kind::FieldLabel ? Qt::AlignRight : Qt::AlignLeft)
                                | Qt::AlignVCenter);
            w = label;
            break;
        }
        case Kind::CheckBox: w = new QCheckBox(caption, central); break;
        case Kind::CodeField: w = new CodeLineEdit(CodeLineEdit::Kind::Code, central); break;
        case Kind::NumberField: w = new CodeLineEdit(CodeLineEdit::Kind::Number, central); break;
        case Kind::Button: {
            auto *button = new QPushButton(caption, central);
            // Enter presses the focused button, as Space does (outside a dialog
            // only an auto-default button takes Enter).
            button->setAutoDefault(true);
            w = button;
            break;
        }
        }
        w->setObjectName(QString::fromLatin1(c.name));
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            edit->setTextMargins(0, 0, 0, 0);

        // A substitute font may be wider than the design font: captions grow
        // instead of being cut, field labels keep their right edges lined up.
        int width = tw(c.width);
        int left = indent + tw(c.left);
        if (c.kind == Kind::Label || c.kind == Kind::FieldLabel || c.kind == Kind::Heading
            || c.kind == Kind::CheckBox || c.kind == Kind::Button) {
            const int needed = w->sizeHint().width();
            if (needed > width && c.kind == Kind::FieldLabel)
                left -= needed - width;
            width = qMax(width, needed);
        }
        if (c.kind == Kind::Label && fieldsRight > 0 && c.left > 1890) // "msec"
            left = fieldsRight + tw(GapBehindField);
        w->setGeometry(left, tw(c.top), width, tw(c.height));
        placed << w;
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            CodeLineEdit::keepTextInside(edit, QStringLiteral("CA52D3"));
            const int frame
                = edit->hasFrame()
                      ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit)
                      : 0;
            const int needed = edit->fontMetrics().horizontalAdvance(SettingsView::notReadText())
                               + 2 * frame + 6;
            if (needed > edit->width())
                edit->resize(needed, edit->height());
            fieldsRight = qMax(fieldsRight, edit->geometry().right() + 1);
        }
    }

    // A caption grown longer (a translation, a wider font) pushes what follows it
    // on its row to the right, and the window grows to hold the widest row.
    int right = tw(ClientWidth);
    for (qsizetype i = 0; i < placed.size(); ++i) {
        QWidget *w = placed.at(i);
        for (qsizetype j = 0; j < i; ++j) {
            const QRect before = placed.at(j)->geometry();
            if (before.top() == w->y() && before.left() < w->x() && w->x() <= before.right())
                w->move(before.right() + tw(MinimumGap), w->y());
        }
        right = qMax(right, w->geometry().right() + tw(MinimumGap));
    }
    central->setFixedWidth(right);

    auto *line = new QFrame(central);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(0, tw(310) - 1, central->width(), 2);

    QWidget *previous = nullptr;
    for (const char *name : TabOrder) {
        QWidget *w = central->findChild<QWidget *>(QString::fromLatin1(name));
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    // The first of the tab order has the focus: Space right after start-up reads the board.
    central->findChild<QWidget *>(QString::fromLatin1(TabOrder[0]))->setFocus();
}

#include "app/gui/MainWindowLayout.h"

#include "app/gui/MainStatusBar.h"
#include "codes/gui/CodeLineEdit.h"
#include "gui/Twips.h"
#include "settings/SettingField.h"
#include "settings/gui/SettingsView.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QStyle>

namespace {

// A setting's control (check box, text field) or the label that names its text
// field takes its kind and caption from the settings table.
enum class Kind { Label, FieldLabel, Heading, CheckBox, CodeField, NumberField, Button, Setting };

struct ControlSpec
{
    const char *name;
    Kind kind;
    const char *caption;
    int left, top, width, height;
};

namespace C = SettingControl;
namespace W = MainWindowControl;
using V = SettingsView; // its buttons' names

// Design geometry in twips, top to bottom.
const ControlSpec Controls[] = {
    {W::progTypeLabel, Kind::Label, QT_TRANSLATE_NOOP("MainWindow", "Prog Type:"), 120, 40, 855,
     255},
    {W::progTypeText, Kind::Label, "", 1080, 40, 2775, 255},
    {W::mainSettingsHeading, Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Main Settings"), 525,
     570, 1170, 195},
    {C::allowPowerOnBox, Kind::Setting, nullptr, 840, 780, 1485, 225},
    {C::allowPowerOffBox, Kind::Setting, nullptr, 840, 990, 1590, 225},
    {C::allowEjectTrayBox, Kind::Setting, nullptr, 840, 1200, 1590, 225},
    {C::powerOnByEjectBox, Kind::Setting, nullptr, 840, 1440, 2775, 225},
    //: The console's power button, held for the time below
    {W::pushDelayHeading, Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Power Button Push Delay"),
     525, 1920, 2175, 195},
    {C::modOnDelayLabel, Kind::Setting, nullptr, 1080, 2160, 615, 195},
    {C::modOnDelayField, Kind::Setting, nullptr, 1890, 2160, 960, 195},
    {W::modOnMsecLabel, Kind::Label, QT_TRANSLATE_NOOP("MainWindow", "msec"), 2880, 2160, 375, 195},
    {C::modOffDelayLabel, Kind::Setting, nullptr, 1080, 2445, 615, 195},
    {C::modOffDelayField, Kind::Setting, nullptr, 1890, 2445, 960, 195},
    {W::modOffMsecLabel, Kind::Label, QT_TRANSLATE_NOOP("MainWindow", "msec"), 2880, 2445, 375,
     195},
    {W::turnOnModEnabledHeading, Kind::Heading,
     QT_TRANSLATE_NOOP("MainWindow", "Turn On with Mod Enabled"), 525, 2775, 2280, 195},
    {C::turnOnModEnabledCodeLabel, Kind::Setting, nullptr, 1275, 2985, 420, 195},
    {C::turnOnModEnabledCodeField, Kind::Setting, nullptr, 1890, 3000, 960, 195},
    {W::turnOnModDisabledHeading, Kind::Heading,
     QT_TRANSLATE_NOOP("MainWindow", "Turn On with Mod Disabled"), 525, 3375, 2325, 195},
    {C::turnOnModDisabledCodeLabel, Kind::Setting, nullptr, 1275, 3585, 420, 195},
    {C::turnOnModDisabledCodeField, Kind::Setting, nullptr, 1890, 3600, 960, 195},
    {W::turnOffHeading, Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Turn Off"), 525, 3960, 720,
     195},
    {C::turnOffCodeLabel, Kind::Setting, nullptr, 1275, 4185, 420, 195},
    {C::turnOffCodeField, Kind::Setting, nullptr, 1890, 4185, 960, 195},
    {C::turnOffPressesLabel, Kind::Setting, nullptr, 510, 4440, 1185, 195},
    {C::turnOffPressesField, Kind::Setting, nullptr, 1890, 4440, 960, 195},
    {W::ejectTrayHeading, Kind::Heading, QT_TRANSLATE_NOOP("MainWindow", "Eject Tray"), 525, 4800,
     885, 195},
    {C::ejectTrayCodeLabel, Kind::Setting, nullptr, 1275, 5025, 420, 195},
    {C::ejectTrayCodeField, Kind::Setting, nullptr, 1890, 5040, 960, 195},
    {C::ejectTrayPressesLabel, Kind::Setting, nullptr, 510, 5280, 1185, 195},
    {C::ejectTrayPressesField, Kind::Setting, nullptr, 1890, 5280, 960, 195},
    {V::ReadValuesButton, Kind::Button, QT_TRANSLATE_NOOP("MainWindow", "Read Values"), 390, 5970,
     1380, 330},
    {V::WriteAllButton, Kind::Button, QT_TRANSLATE_NOOP("MainWindow", "Write All"), 1965, 5970,
     1380, 330},
};

// A setting's row with its kind and caption from the settings table.
ControlSpec resolved(const ControlSpec &spec)
{
    if (spec.kind != Kind::Setting)
        return spec;
    const SettingField *setting = SettingField::ofControl(QLatin1String(spec.name));
    ControlSpec out = spec;
    out.kind = Kind::Label; // a name the table lacks: an empty label, never a crash
    if (!setting)
        return out;
    out.caption = setting->caption;
    if (QLatin1String(spec.name) != QLatin1String(setting->control))
        out.kind = Kind::FieldLabel;
    else if (setting->kind == SettingField::Kind::Flag)
        out.kind = Kind::CheckBox;
    else
        out.kind = setting->kind == SettingField::Kind::Code ? Kind::CodeField : Kind::NumberField;
    return out;
}

const char *const TabOrder[] = {V::ReadValuesButton,          V::WriteAllButton,
                                C::allowPowerOnBox,           C::allowPowerOffBox,
                                C::turnOnModEnabledCodeField, C::modOffDelayField,
                                C::modOnDelayField,           C::allowEjectTrayBox,
                                C::turnOffCodeField,          C::turnOnModDisabledCodeField,
                                C::turnOffPressesField,       C::ejectTrayCodeField,
                                C::ejectTrayPressesField,     C::powerOnByEjectBox};

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

    for (const ControlSpec &row : Controls) {
        const ControlSpec c = resolved(row);
        const QString caption
            = c.caption ? QCoreApplication::translate("MainWindow", c.caption) : QString();
        QWidget *w = nullptr;
        switch (c.kind) {
        case Kind::Setting: // resolved above
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

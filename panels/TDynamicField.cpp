#include "panels/TDynamicField.h"

#include "link/PublishError.h"
#include "panels/LayoutCaptions.h"
#include "panels/NumberBox.h"
#include "panels/PanelActions.h"
#include "panels/PictureBox.h"
#include "panels/RoundedPanel.h"
#include "panels/SensorTilePanel.h"
#include "link/StrictInteger.h"
#include "ui/ListBox.h"
#include "ui/PictureList.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

namespace {

// The switch's check box: the whole 30-wide box answers a click, not just
// its small indicator.
class SwitchBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

} // namespace

namespace {

const QColor valueGreen(0x2E, 0xD4, 0x0B);
const QColor innerPanelFill(0xFA, 0xFA, 0xFA, 0xAA);
constexpr int captionSize = 14;
constexpr int panelMargin = 3;
constexpr int pictureOn = 11;
constexpr int pictureOff = 14;

QString degrees(int value)
{
    return QString::number(value) + QStringLiteral("°C");
}

QLabel *makeLabel(QWidget *parent, const QString &text, int pixelSize, bool bold, const QColor &colour,
                  Qt::Alignment alignment)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);  // captions come from the database: never markup
    label->setText(text);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

// A list row of the given height whose panel fills it, inset on every side.
std::pair<QWidget *, RoundedPanel *> makeRow(int height)
{
    auto *row = new QWidget;
    row->setFixedHeight(height);
    auto *layout = new QVBoxLayout(row);
    layout->setContentsMargins(panelMargin, panelMargin, panelMargin, panelMargin);
    auto *panel = new RoundedPanel(row);
    layout->addWidget(panel);
    return {row, panel};
}

int truncated(double limit)
{
    if (std::isnan(limit))
        return 0;
    const double t = std::trunc(limit);
    return int(qBound(double(std::numeric_limits<int>::min()), t, double(std::numeric_limits<int>::max())));
}

} // namespace

TDynamicField::TDynamicField(Kind kind) : ComponentType(kind) {}

TDynamicField::~TDynamicField()
{
    Free();
}

std::unique_ptr<TDynamicField> TDynamicField::CreateSensorDevice(int Tip, int SQLImg, const QString &Text,
                                                                 const QString &DefText, QWidget *Parent,
                                                                 const PictureList &Images,
                                                                 const QList<int> &TargetRegs)
{
    std::unique_ptr<TDynamicField> field(new TDynamicField(SensorTile));
    const bool twoValues = Tip == 34 || Tip == 39;
    field->DevTip = Tip;
    field->TargetRegs = TargetRegs.mid(0, twoValues ? 2 : 1);

    auto *tile = new SensorTilePanel(Parent);
    field->add(tile);
    auto *caption = makeLabel(tile, LayoutCaptions::choose(Text, DefText), captionSize, true, Qt::black,
                              Qt::AlignHCenter);
    field->add(caption);
    auto *picture = new PictureBox(Images, tile);
    picture->resize(SensorTilePanel::defaultWidth * 55 / 100, SensorTilePanel::defaultHeight * 55 / 100);
    picture->setPicture(LayoutCaptions::picture(SQLImg, Tip));
    field->add(picture);
    auto *upper = makeLabel(tile, QStringLiteral(" "), 22, true, valueGreen, Qt::AlignRight);
    field->add(upper);
    QLabel *lower = nullptr;
    if (twoValues) {
        lower = makeLabel(tile, QStringLiteral(" "), 22, true, valueGreen, Qt::AlignRight);
        field->add(lower);
    }
    tile->setParts(caption, picture, upper, lower);
    tile->show();
    return field;
}

std::unique_ptr<TDynamicField>
TDynamicField::CreateTempChange(const QString &Text, const QString &SQLText, const QString &DefText,
                                ListBox *ParentOverview, ListBox *ParentSettings,
                                const QList<int> &TargetRegs, double AMin, double AMax, PanelActions *actions)
{
    std::unique_ptr<TDynamicField> field(new TDynamicField(TempChange));
    field->TargetRegs = TargetRegs.mid(0, 1);
    field->m_actions = actions;
    field->m_min = AMin;
    field->m_max = AMax;
    const QString caption = LayoutCaptions::fillTemplate(Text, SQLText, DefText);

    auto [overviewRow, overviewPanel] = makeRow(rowHeight);
    field->add(overviewRow);
    field->add(overviewPanel);
    auto *overviewLayout = new QHBoxLayout(overviewPanel);
    overviewLayout->setContentsMargins(15, 0, 15, 0);
    auto *overviewCaption = makeLabel(overviewPanel, caption, captionSize, false, Qt::black, Qt::AlignLeft);
    overviewLayout->addWidget(overviewCaption, 1);
    field->add(overviewCaption);
    auto *overviewValue = makeLabel(overviewPanel, QString(), 22, true, valueGreen, Qt::AlignRight);
    overviewValue->setFixedWidth(70);
    overviewLayout->addWidget(overviewValue);
    field->add(overviewValue);

    auto [settingsRow, settingsPanel] = makeRow(settingsRowHeight);
    field->add(settingsRow);
    field->add(settingsPanel);
    auto *numberBox = new NumberBox(settingsPanel);
    numberBox->setGeometry(5, 10, 110, 32);
    numberBox->setRange(truncated(AMin), truncated(AMax));
    numberBox->setAlignment(Qt::AlignCenter);
    QFont boxFont = numberBox->font();
    boxFont.setPixelSize(18);
    boxFont.setBold(true);
    numberBox->setFont(boxFont);
    field->add(numberBox);
    auto *send = new QPushButton(QStringLiteral("Внеси"), settingsPanel);
    send->setProperty("styleName", QStringLiteral("buttonmodernstyle"));
    send->setGeometry(5, 50, 110, 35);
    // The click must read the text exactly as typed, so the button does not
    // take the focus (which would make the box tidy its text first).
    send->setFocusPolicy(Qt::NoFocus);
    field->add(send);

    auto *settingsLayout = new QHBoxLayout(settingsPanel);
    settingsLayout->setContentsMargins(130, 0, 0, 0);
    settingsLayout->setSpacing(0);
    auto *controllerPanel = new RoundedPanel(settingsPanel, innerPanelFill, 6);
    field->add(controllerPanel);
    auto *settingsCaption = makeLabel(settingsPanel, caption, captionSize, false, Qt::black, Qt::AlignLeft);
    settingsCaption->setContentsMargins(0, 5, 0, 5);
    field->add(settingsCaption);
    settingsLayout->addWidget(settingsCaption, 1);
    auto *controllerMargin = new QVBoxLayout;
    controllerMargin->setContentsMargins(0, panelMargin, panelMargin, panelMargin);
    controllerMargin->addWidget(controllerPanel);
    controllerPanel->setFixedWidth(65);
    settingsLayout->addLayout(controllerMargin);
    auto *controllerValue =
        makeLabel(controllerPanel, QStringLiteral(" "), 18, true, valueGreen, Qt::AlignHCenter);
    auto *controllerLayout = new QVBoxLayout(controllerPanel);
    controllerLayout->setContentsMargins(0, 0, 0, 0);
    controllerLayout->addWidget(controllerValue);
    field->add(controllerValue);

    TDynamicField *self = field.get();
    QObject::connect(send, &QPushButton::clicked, send, [self] { self->SpeedButtonClick(); });

    ParentOverview->addItem(overviewRow);
    ParentSettings->addItem(settingsRow);
    return field;
}

std::unique_ptr<TDynamicField> TDynamicField::CreateCheckBoxDevice(const QString &Text,
                                                                   const QString &SQLText,
                                                                   const QString &DefText, ListBox *Parent,
                                                                   const QList<int> &TargetRegs,
                                                                   bool RunOnTimer, PanelActions *actions)
{
    std::unique_ptr<TDynamicField> field(new TDynamicField(CheckBox));
    field->TargetRegs = TargetRegs.mid(0, 1);
    field->RunOnTimer = RunOnTimer;
    field->m_actions = actions;

    auto [row, panel] = makeRow(rowHeight);
    field->add(row);
    field->add(panel);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(15, 0, 0, 0);
    auto *box = new SwitchBox(panel);
    box->setFixedWidth(30);
    box->setCursor(Qt::PointingHandCursor);
    layout->addWidget(box);
    field->add(box);
    auto *caption = makeLabel(panel, LayoutCaptions::fillTemplate(Text, SQLText, DefText), captionSize, false,
                              Qt::black, Qt::AlignLeft);
    layout->addWidget(caption, 1);
    field->add(caption);

    TDynamicField *self = field.get();
    QObject::connect(box, &QCheckBox::clicked, box, [self] { self->CheckBoxClickDevice(); });

    Parent->addItem(row);
    return field;
}

std::unique_ptr<TDynamicField>
TDynamicField::CreateEnableDisableDevice(const QString &Text, const QString &DefText, ListBox *Parent,
                                         const PictureList &Images, const QList<int> &TargetRegs)
{
    std::unique_ptr<TDynamicField> field(new TDynamicField(EnableDisable));
    field->TargetRegs = TargetRegs.mid(0, 1);

    auto [row, panel] = makeRow(rowHeight);
    field->add(row);
    field->add(panel);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(15, 0, 15, 0);
    auto *caption =
        makeLabel(panel, LayoutCaptions::choose(Text, DefText), captionSize, false, Qt::black, Qt::AlignLeft);
    caption->setFixedWidth(250);
    layout->addWidget(caption);
    layout->addStretch(1);
    field->add(caption);
    auto *state = new PictureBox(Images, panel);
    state->setFixedWidth(50);
    state->setContentsMargins(0, 5, 0, 5);
    state->setPicture(pictureOff);
    layout->addWidget(state);
    field->add(state);

    Parent->addItem(row);
    return field;
}

std::unique_ptr<TDynamicField>
TDynamicField::CreateRadioButtonDevice(const QString &TextON, const QString &TextOFF, ListBox *Parent,
                                       const PictureList &Image, int ImageON, int ImageOFF,
                                       const QList<int> &TargetRegs, PanelActions *actions)
{
    std::unique_ptr<TDynamicField> field(new TDynamicField(RadioButton));
    field->TargetRegs = TargetRegs.mid(0, 1);
    field->m_actions = actions;

    auto [row, panel] = makeRow(rowHeight);
    field->add(row);
    field->add(panel);
    auto *layout = new QHBoxLayout(panel);
    layout->setContentsMargins(5, 0, 0, 0);
    layout->setSpacing(0);

    auto makeChoice = [&](const QString &text, int tag) {
        auto *button = new QRadioButton(text, panel);
        button->setFixedWidth(120);
        button->setCursor(Qt::PointingHandCursor);
        button->setProperty("tag", tag);
        QFont font = button->font();
        font.setPixelSize(captionSize);
        button->setFont(font);
        return button;
    };
    auto makePicture = [&](int number) {
        auto *picture = new PictureBox(Image, panel);
        picture->setFixedSize(50, 50);
        picture->setContentsMargins(0, 2, 0, 2);
        picture->setPicture(number);
        return picture;
    };

    auto *first = makeChoice(TextON, 1);
    auto *firstPicture = makePicture(ImageON);
    auto *second = makeChoice(TextOFF, 2);
    auto *secondPicture = makePicture(ImageOFF);
    layout->addWidget(first);
    layout->addWidget(firstPicture);
    layout->addSpacing(3);
    layout->addWidget(second);
    layout->addWidget(secondPicture);
    layout->addStretch(1);
    for (QWidget *w : {static_cast<QWidget *>(first), static_cast<QWidget *>(firstPicture),
                       static_cast<QWidget *>(second), static_cast<QWidget *>(secondPicture)})
        field->add(w);

    // One exclusive group per field, named after its register: fields on
    // different registers never interfere.
    field->m_group = new QButtonGroup(row);
    field->m_group->setObjectName(QString::number(field->TargetRegs.value(0)));
    field->m_group->addButton(first, 1);
    field->m_group->addButton(second, 2);

    TDynamicField *self = field.get();
    QObject::connect(first, &QRadioButton::clicked, first, [self] { self->RadioButtonDeviceClick(1); });
    QObject::connect(second, &QRadioButton::clicked, second, [self] { self->RadioButtonDeviceClick(2); });

    Parent->addItem(row);
    return field;
}

void TDynamicField::UpdateSensorVal(const QList<int> &Vals)
{
    if (ComponentType != SensorTile || Vals.isEmpty())
        return;
    if (auto *upper = item<QLabel>(TileUpperValue))
        upper->setText(degrees(Vals[0]));
    if ((DevTip == 34 || DevTip == 39) && Vals.size() > 1) {
        if (auto *lower = item<QLabel>(TileLowerValue))
            lower->setText(degrees(Vals[1]));
    }
}

void TDynamicField::UpdateTempChange(const QList<int> &Vals)
{
    if (ComponentType != TempChange || Vals.isEmpty())
        return;
    const QString text = degrees(Vals[0]);
    if (auto *overview = item<QLabel>(OverviewValue))
        overview->setText(text);
    auto *controller = item<QLabel>(ControllerValue);
    if (!controller || controller->text() == text)
        return; // the controller's value is unchanged: an unsent edit stays
    controller->setText(text);
    if (auto *box = item<NumberBox>(NumberBoxItem))
        box->setValue(Vals[0]);
}

void TDynamicField::UpdateEnableDisableDevice(bool Val)
{
    if (ComponentType != EnableDisable)
        return;
    if (auto *state = item<PictureBox>(StatePicture))
        state->setPicture(Val ? pictureOn : pictureOff);
}

void TDynamicField::UpdateCheckBoxDevice(bool Val)
{
    if (ComponentType != CheckBox)
        return;
    if (auto *box = item<QCheckBox>(CheckBoxItemIndex))
        box->setChecked(Val);
}

void TDynamicField::UpdateRadioButtonDevice(bool Val)
{
    if (ComponentType != RadioButton)
        return;
    showChoice(Val ? 1 : 0);
}

void TDynamicField::showChoice(std::optional<int> choice)
{
    auto *first = item<QRadioButton>(FirstChoice);
    auto *second = item<QRadioButton>(SecondChoice);
    if (!first || !second)
        return;
    if (choice) {
        (*choice == 1 ? first : second)->setChecked(true);
    } else if (m_group) {
        // Back to "nothing chosen", which an exclusive group does not allow.
        m_group->setExclusive(false);
        first->setChecked(false);
        second->setChecked(false);
        m_group->setExclusive(true);
    }
    m_shownChoice = choice;
}

std::optional<int> TDynamicField::selectedChoice() const
{
    auto *first = item<QRadioButton>(FirstChoice);
    auto *second = item<QRadioButton>(SecondChoice);
    if (first && first->isChecked())
        return 1;
    if (second && second->isChecked())
        return 0;
    return std::nullopt;
}

void TDynamicField::SpeedButtonClick()
{
    auto *box = item<NumberBox>(NumberBoxItem);
    if (ComponentType != TempChange || !box || TargetRegs.isEmpty() || !m_actions)
        return;
    const std::optional<qint64> typed = parseStrictInteger(box->editText());
    if (!typed)
        return; // not a whole number: nothing is sent, nothing is shown
    qint64 value = *typed;
    const int minimum = truncated(m_min);
    const int maximum = truncated(m_max);
    if (value < minimum)
        value = minimum;
    if (value > maximum)
        value = maximum;
    try {
        m_actions->WriteHREG(TargetRegs[0], int(value));
    } catch (const PublishError &error) {
        m_actions->showError(error.text());
        return;
    }
    m_actions->startFeedback(4000, true);
}

void TDynamicField::CheckBoxClickDevice()
{
    auto *box = item<QCheckBox>(CheckBoxItemIndex);
    if (ComponentType != CheckBox || !box || TargetRegs.isEmpty())
        return;
    // The click has already toggled the box: its state now is the one to send.
    const bool sent = box->isChecked();
    auto rollBack = [box, sent] {
        QSignalBlocker blocker(box);
        box->setChecked(!sent);
    };
    if (!m_actions) {
        rollBack();
        return;
    }
    try {
        m_actions->WriteHREG(TargetRegs[0], sent ? 1 : 0);
    } catch (const PublishError &error) {
        // Never show a state that was not sent.
        rollBack();
        m_actions->showError(error.text());
        return;
    }
    m_actions->setCommandPending(true);
    m_actions->startFeedback(4000, false);
}

void TDynamicField::RadioButtonDeviceClick(int tag)
{
    if (ComponentType != RadioButton || TargetRegs.isEmpty() || (tag != 1 && tag != 2))
        return;
    const int value = tag == 1 ? 1 : 0;
    const std::optional<int> before = m_shownChoice;
    if (!m_actions) {
        showChoice(before);
        return;
    }
    try {
        m_actions->WriteHREG(TargetRegs[0], value);
    } catch (const PublishError &error) {
        showChoice(before);
        m_actions->showError(error.text());
        return;
    }
    showChoice(value);
    m_actions->setCommandPending(true);
    m_actions->startFeedback(4000, true);
}

void TDynamicField::Show()
{
    for (const QPointer<QWidget> &control : Items) {
        if (control)
            control->show();
    }
}

void TDynamicField::Hide()
{
    for (const QPointer<QWidget> &control : Items) {
        if (control)
            control->hide();
    }
}

void TDynamicField::Free()
{
    for (qsizetype i = Items.size() - 1; i >= 0; --i)
        delete Items[i].data(); // a control already gone with its parent is null here
    Items.clear();
    TargetRegs.clear();
    m_group = nullptr;
}

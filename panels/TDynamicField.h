#pragma once

#include <QList>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

class ListBox;
class PanelActions;
class PictureList;
class QButtonGroup;

// One group of controls built at run time to show one piece of controller
// state and, for three of the five kinds, to change it. The field owns its
// controls; destroying it (or Free) removes them from their lists.
class TDynamicField {
public:
    enum Kind { SensorTile = 0, TempChange = 1, CheckBox = 2, EnableDisable = 3, RadioButton = 4 };

    // Every control of the field; Items[0] is the outermost one. The order per
    // kind is fixed (see the item indices below).
    QList<QPointer<QWidget>> Items;
    int DevTip = 0;          // sensor tiles: the default picture, which decides the value labels
    int ComponentType = 0;   // Kind
    bool RunOnTimer = false; // switches: a timer switch
    QList<int> TargetRegs;   // analogue registers (tiles, output rows) or holding registers

    // Item indices.
    enum SensorItem { TilePanel = 0, TileCaption, TilePicture, TileUpperValue, TileLowerValue };
    enum TempChangeItem {
        OverviewRow = 0,
        OverviewPanel,
        OverviewCaption,
        OverviewValue,
        SettingsRow,
        SettingsPanel,
        NumberBoxItem,
        SendButton,
        ControllerPanel,
        SettingsCaption,
        ControllerValue
    };
    enum CheckBoxItem { CheckRow = 0, CheckPanel, CheckBoxItemIndex, CheckCaption };
    enum EnableDisableItem { StateRow = 0, StatePanel, StateCaption, StatePicture };
    enum RadioItem { RadioRow = 0, RadioPanel, FirstChoice, FirstPicture, SecondChoice, SecondPicture };

    static constexpr int rowHeight = 50;
    static constexpr int settingsRowHeight = 100;

    static std::unique_ptr<TDynamicField> CreateSensorDevice(int Tip, int SQLImg, const QString &Text,
                                                             const QString &DefText, QWidget *Parent,
                                                             const PictureList &Images,
                                                             const QList<int> &TargetRegs);
    static std::unique_ptr<TDynamicField> CreateTempChange(const QString &Text, const QString &SQLText,
                                                           const QString &DefText, ListBox *ParentOverview,
                                                           ListBox *ParentSettings,
                                                           const QList<int> &TargetRegs, double AMin,
                                                           double AMax, PanelActions *actions);
    static std::unique_ptr<TDynamicField> CreateCheckBoxDevice(const QString &Text, const QString &SQLText,
                                                               const QString &DefText, ListBox *Parent,
                                                               const QList<int> &TargetRegs, bool RunOnTimer,
                                                               PanelActions *actions);
    static std::unique_ptr<TDynamicField> CreateEnableDisableDevice(const QString &Text,
                                                                    const QString &DefText, ListBox *Parent,
                                                                    const PictureList &Images,
                                                                    const QList<int> &TargetRegs);
    static std::unique_ptr<TDynamicField> CreateRadioButtonDevice(const QString &TextON,
                                                                  const QString &TextOFF, ListBox *Parent,
                                                                  const PictureList &Image, int ImageON,
                                                                  int ImageOFF, const QList<int> &TargetRegs,
                                                                  PanelActions *actions);

    ~TDynamicField();
    TDynamicField(const TDynamicField &) = delete;
    TDynamicField &operator=(const TDynamicField &) = delete;

    // Updates from the register caches; they never send anything.
    void UpdateSensorVal(const QList<int> &Vals);
    void UpdateTempChange(const QList<int> &Vals);
    void UpdateEnableDisableDevice(bool Val);
    void UpdateCheckBoxDevice(bool Val);
    void UpdateRadioButtonDevice(bool Val);

    // The owner's actions.
    void SpeedButtonClick();              // "Внеси": send the number box's value
    void CheckBoxClickDevice();           // the switch has just been toggled by a click
    void RadioButtonDeviceClick(int tag); // 1: first choice, 2: second choice

    void Show();
    void Hide();
    // Destroys the controls from the last one down to Items[0], then empties
    // Items and TargetRegs.
    void Free();

    template <typename T> T *item(int index) const
    {
        return index >= 0 && index < Items.size() ? qobject_cast<T *>(Items[index].data()) : nullptr;
    }

    // The two-choice field's selection: 1 first, 0 second, no value when none is selected.
    std::optional<int> selectedChoice() const;

private:
    explicit TDynamicField(Kind kind);
    void add(QWidget *control) { Items.append(control); }
    void showChoice(std::optional<int> choice);

    PanelActions *m_actions = nullptr;
    double m_min = 0;
    double m_max = 0;
    QButtonGroup *m_group = nullptr;  // owned by the two-choice row
    std::optional<int> m_shownChoice; // what the two-choice field showed before a click
};

using TDynamicFields = std::vector<std::unique_ptr<TDynamicField>>;

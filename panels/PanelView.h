#pragma once

#include <QString>
#include <array>
#include <functional>

class ListBox;
class QAbstractButton;
class QComboBox;
class QLabel;
class QTabWidget;
class QWidget;

// The fixed widgets of the overview and settings views that the panels are
// built into. The main window owns them; the panel code only fills them.
struct PanelView {
    ListBox *listBoxOverview = nullptr;
    ListBox *listBoxSettings = nullptr;

    // Rows of listBoxOverview, in form order.
    QWidget *ListBoxItemOverviewDevName = nullptr;
    QWidget *ListBoxItem31 = nullptr;      // the mode, text in lblOMode
    QWidget *ListBoxItemOTemp = nullptr;   // header "Температура"
    QWidget *ListBoxItemSensors = nullptr; // holds FlowLayoutSensors
    QWidget *ListBoxItemOState = nullptr;  // header "Состојба"
    // Rows of listBoxSettings, in form order.
    QWidget *ListBoxItemSTemp = nullptr;     // header "Температура"
    QWidget *ListBoxItemSMode = nullptr;     // header "Режим"
    QWidget *ListBoxItemSModeBox = nullptr;  // holds cmbBoxMode
    QWidget *ListBoxItemSControl = nullptr;  // header "Контрола"
    QWidget *ListBoxItemSOtherDev = nullptr; // empty spacer, 16 high

    QWidget *FlowLayoutSensors = nullptr; // the tile area
    QComboBox *cmbBoxMode = nullptr;      // a PopupComboBox when made by buildPanelView
    QLabel *lblOMode = nullptr;
    QLabel *lblODevName = nullptr; // the controller's name in ListBoxItemOverviewDevName
    QLabel *GlyphSchematic = nullptr;
    QTabWidget *TabControlExit = nullptr; // pages "tabSched1" .. "tabSched4"
    QAbstractButton *SpeedButtonOverviewSchedule = nullptr;

    // Names the archive chart's four series: the layout's default titles and
    // the controller's own ones.
    std::function<void(std::array<QString, 4> defaults, std::array<QString, 4> plots)> FillArchivePlot;

    // The schedule tab for output d (1..4), or nullptr.
    QWidget *scheduleTab(int d) const;
};

// Builds the fixed widgets, children of `parent`, with their object names and
// the rows of both lists in form order. FillArchivePlot is left empty.
PanelView buildPanelView(QWidget *parent);

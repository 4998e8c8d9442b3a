#pragma once

#include <QStringList>
#include <QTabWidget>

// The object names of the visible tabs of a tab control, in tab order.
inline QStringList visibleTabs(QTabWidget *tabs)
{
    QStringList names;
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->isTabVisible(i))
            names << tabs->widget(i)->objectName();
    return names;
}

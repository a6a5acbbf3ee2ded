#include "CommonControls.h"

#include "CommandButtonControl.h"
#include "FrameControl.h"
#include "ImageListControl.h"
#include "LabelControl.h"
#include "ListViewControl.h"
#include "MenuControl.h"
#include "MonthViewControl.h"
#include "ShapeControl.h"
#include "TextBoxControl.h"
#include "TimerControl.h"

#include <functional>
#include <map>

namespace forms {

namespace {

template <class T> com::Ptr<IControl> newControl() {
    return com::newObject<T>();
}

const std::map<QString, std::function<com::Ptr<IControl>()>>& factories() {
    static const std::map<QString, std::function<com::Ptr<IControl>()>> all{
        {QStringLiteral("mscomctllib.listview"), newControl<ListViewControl>},
        {QStringLiteral("mscomctllib.imagelist"), newControl<ImageListControl>},
        {QStringLiteral("mscomctl2.monthview"), newControl<MonthViewControl>},
        {QStringLiteral("vb.timer"), newControl<TimerControl>},
        {QStringLiteral("vb.menu"), newControl<MenuControl>},
        {QStringLiteral("vb.frame"), newControl<FrameControl>},
        {QStringLiteral("vb.label"), newControl<LabelControl>},
        {QStringLiteral("vb.shape"), newControl<ShapeControl>},
        {QStringLiteral("vb.commandbutton"), newControl<CommandButtonControl>},
        {QStringLiteral("vb.textbox"), newControl<TextBoxControl>},
    };
    return all;
}

} // namespace

bool isCommonControl(const QString& progId) {
    return factories().count(progId.toLower()) > 0;
}

com::Ptr<IControl> createCommonControl(const QString& progId) {
    const auto it = factories().find(progId.toLower());
    if (it == factories().end())
        return {};
    return it->second();
}

} // namespace forms

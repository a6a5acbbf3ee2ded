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

template <class T> IControl* make() {
    return static_cast<IControl*>(new T);
}

const std::map<QString, std::function<IControl*()>>& factories() {
    static const std::map<QString, std::function<IControl*()>> all{
        {QStringLiteral("mscomctllib.listview"), make<ListViewControl>},
        {QStringLiteral("mscomctllib.imagelist"), make<ImageListControl>},
        {QStringLiteral("mscomctl2.monthview"), make<MonthViewControl>},
        {QStringLiteral("vb.timer"), make<TimerControl>},
        {QStringLiteral("vb.menu"), make<MenuControl>},
        {QStringLiteral("vb.frame"), make<FrameControl>},
        {QStringLiteral("vb.label"), make<LabelControl>},
        {QStringLiteral("vb.shape"), make<ShapeControl>},
        {QStringLiteral("vb.commandbutton"), make<CommandButtonControl>},
        {QStringLiteral("vb.textbox"), make<TextBoxControl>},
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
    return com::Ptr<IControl>(it->second());
}

} // namespace forms

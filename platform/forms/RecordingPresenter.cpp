#include "RecordingPresenter.h"

namespace forms {

void RecordingPresenter::show(const Message& message) {
    m_messages.push_back(message);
    if (m_onShow)
        m_onShow(message);
}

} // namespace forms

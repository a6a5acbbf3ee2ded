#pragma once

#include "MessagePresenter.h"

#include <functional>
#include <vector>

namespace forms {

// Keeps every message instead of showing it, in the order shown.
class RecordingPresenter : public MessagePresenter {
public:
    void show(const Message& message) override;

    const std::vector<Message>& messages() const { return m_messages; }
    void clear() { m_messages.clear(); }
    // Runs after each message is recorded, while the caller still waits as on a modal box.
    void setOnShow(std::function<void(const Message&)> onShow) { m_onShow = std::move(onShow); }

private:
    std::vector<Message> m_messages;
    std::function<void(const Message&)> m_onShow;
};

} // namespace forms

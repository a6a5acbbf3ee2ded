#pragma once

#include <QValidator>

namespace suite {

// Upper-cases what the user types or pastes before it reaches the box, so that the box's text
// changes once, already in capitals.
class UpperCaseValidator : public QValidator {
public:
    explicit UpperCaseValidator(QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
};

} // namespace suite

#include "UpperCaseValidator.h"

namespace suite {

UpperCaseValidator::UpperCaseValidator(QObject* parent) : QValidator(parent) {}

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

} // namespace suite

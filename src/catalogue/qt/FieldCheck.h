#pragma once
// Takes texts and numbers out of dialog fields the way dialog data exchange
// does: a field that fails shows its prompt in the current language, gets the
// focus with its text selected, and the caller stops taking fields.

#include <QString>

#include <initializer_list>
#include <optional>
#include <string_view>

class QLineEdit;
class QWidget;

namespace tessaro {

class Prompts;
class SpinEdit;
enum class Msg;

class FieldCheck
{
public:
    explicit FieldCheck(Prompts& prompts) : prompts_(prompts) {}

    // A whole number from minimum to maximum; false after the prompt.
    bool WholeNumber(SpinEdit* field, int minimum, int maximum, int& value);
    bool WholeNumber(QLineEdit* field, int minimum, int maximum, int& value);
    // At most maxChars characters; false after the prompt.
    bool MaxChars(QLineEdit* field, int maxChars, QString& value);

    // A whole number with optional sign, blanks around it allowed; nullopt for
    // anything else, an empty text or a number that does not fit an int.
    static std::optional<int> ParseWholeNumber(const QString& text);

private:
    bool CheckNumber(QWidget* field, const QString& text, int minimum, int maximum, int& value);
    void Fail(QWidget* field, Msg id, std::initializer_list<std::string_view> args);

    Prompts& prompts_;
};

} // namespace tessaro

#pragma once

#include <QString>
#include <variant>

// A loosely typed value as the settings store and the text helpers pass it:
// Empty (nothing stored), a text, or a number. Empty compares equal to both
// "" and 0, so a caller can test a missing setting either way.
class Variant
{
public:
    Variant() = default;
    Variant(const QString &text) : m_value(text) {}
    Variant(const char *text) : m_value(QString::fromLatin1(text)) {}
    Variant(double number) : m_value(number) {}
    Variant(int number) : m_value(double(number)) {}

    bool isEmpty() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isString() const { return std::holds_alternative<QString>(m_value); }
    bool isNumber() const { return std::holds_alternative<double>(m_value); }

    // Empty gives "", a number its shortest decimal text ("5", "2.5").
    QString toString() const;
    // Empty gives 0; a text its numeric value, or 0 when it is not a number.
    double toDouble() const;
    // True for numbers, Empty and texts that read as a number.
    bool isNumeric() const;

    friend bool operator==(const Variant &a, const Variant &b);
    friend bool operator==(const Variant &a, const QString &text) { return a == Variant(text); }
    friend bool operator==(const Variant &a, const char *text) { return a == Variant(text); }
    friend bool operator==(const Variant &a, double number) { return a == Variant(number); }
    friend bool operator==(const Variant &a, int number) { return a == Variant(number); }

private:
    std::variant<std::monostate, QString, double> m_value;
};

// Text of a number without trailing zeros ("5", "2.5", "-0.125").
QString numberText(double number);

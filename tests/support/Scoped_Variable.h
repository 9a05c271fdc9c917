#pragma once
// An environment variable set (or unset) for the object's lifetime.

#include <cstdlib>
#include <optional>
#include <string>

class Scoped_Variable {
public:
    Scoped_Variable(const char* name, std::optional<std::string> value) : variable(name)
    {
        if (const char* old = std::getenv(name))
            previous = old;
        Set(value);
    }
    ~Scoped_Variable() { Set(previous); }
    Scoped_Variable(const Scoped_Variable&) = delete;
    Scoped_Variable& operator=(const Scoped_Variable&) = delete;

private:
    void Set(const std::optional<std::string>& value) const
    {
        if (value)
            setenv(variable.c_str(), value->c_str(), 1);
        else
            unsetenv(variable.c_str());
    }

    std::string variable;
    std::optional<std::string> previous;
};

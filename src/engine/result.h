#ifndef RESULT_H
#define RESULT_H

// What an engine operation gives back: its value, or why it failed, in words a
// user reads. The one way the engine reports a failure: no exception leaves an
// engine function and no flag comes with a message through a pointer.
//
//   Result<Project> read(const QString &path);
//   ...
//   if (!project)
//       return Failure{project.error()};
//   use(project.value());
//
//   Status commit();  // nothing to give back but success or the reason
//
// Safe from any thread: a result is a plain value.

#include <QString>

#include <optional>
#include <utility>

// A failure converts to a result of any type, so a function returns one as it is.
struct Failure
{
    QString message;
};

template <typename T>
class [[nodiscard]] Result
{
public:
    Result(T value) : m_value(std::move(value)) {}
    Result(Failure failure) : m_error(std::move(failure.message)) {}

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }
    // Only on success.
    const T &value() const & { return *m_value; }
    T &value() & { return *m_value; }
    T &&value() && { return std::move(*m_value); }
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    // Empty on success.
    const QString &error() const { return m_error; }

private:
    std::optional<T> m_value;
    QString m_error;
};

template <>
class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure failure) : m_ok(false), m_error(std::move(failure.message)) {}

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &error() const { return m_error; }

private:
    bool m_ok = true;
    QString m_error;
};

using Status = Result<void>;

#endif

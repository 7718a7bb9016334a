#pragma once
// Handing a web page, document or mail address to the desktop shell.
#include <functional>
#include <string>

#include <QUrl>
#include <QWidget>

namespace korvane {

// Shows the busy pointer while the shell is asked; the shell's answer is not examined.
void OpenDocument(QWidget* owner, const std::string& target);
// "mailto:" + address, "?subject=" + subject only when the subject is not empty.
void ComposeMail(QWidget* owner, const std::string& address, const std::string& subject);

// Tests replace the desktop shell with a recorder; an empty function restores the real one.
void SetShellOpenerForTests(std::function<void(const QUrl&)> opener);

} // namespace korvane

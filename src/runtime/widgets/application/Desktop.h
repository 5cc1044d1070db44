#pragma once

#include <QString>

#include <functional>

class QUrl;

namespace tickora::runtime {

// What the program asks of the desktop around it: a web page opened in the
// default browser, and a message put in front of the user.

// Opens a web address in the default browser; raises IOException when the
// address is not one or the system cannot open it.
void ShowURL(const QString &url);

// Shows the user a message with an OK button, in front of the program's
// windows, its text selectable so that it can be copied (an address the
// browser did not take, say). Returns at once; the box goes away when the
// user confirms it.
void MessageBox(const QString &message);

// Test seams. A replaced opener receives the address instead of the desktop;
// a replaced message box receives the message instead of the user. Passing
// an empty function restores the runtime's own behaviour.
using UrlOpener = std::function<bool(const QUrl &)>;
void SetUrlOpener(UrlOpener opener);
using MessageShower = std::function<void(const QString &message)>;
void SetMessageShower(MessageShower shower);

} // namespace tickora::runtime

// What zelk-setup tells the user: on the console (as UTF-8 when the output is redirected, so that
// logs read the same everywhere), and in message boxes when it was started by a double click.
#pragma once

#include <string>

// Message boxes instead of the console from now on.
void UseMessageBoxes();

void Say(const std::wstring& text);
void Complain(const std::wstring& text);
// OK and Cancel; true for OK. Only with message boxes (the console always answers yes).
bool Confirm(const std::wstring& question);

// A path or other ANSI text (code page of the system) for a message.
std::wstring Wide(const std::string& text);

// Tells the user why an operation on the path (or key) failed, by the Windows error code; always
// false.
bool Fail(unsigned long error, const std::wstring& path);

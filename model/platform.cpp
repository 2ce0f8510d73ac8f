#include "model/platform.h"

void Platform::error(const QString& text, const QString& title) {
    message({title, text, Icon::Error, {Button::Ok}, Button::Ok, Button::Ok});
}

void Platform::warning(const QString& text, const QString& title) {
    message({title, text, Icon::Warning, {Button::Ok}, Button::Ok, Button::Ok});
}

bool Platform::confirm(const QString& text, const QString& title, bool defaultNo) {
    return message({title,
                    text,
                    Icon::Question,
                    {Button::Yes, Button::No},
                    defaultNo ? Button::No : Button::Yes,
                    Button::No}) == Button::Yes;
}

#pragma once
// The JSON the pages read: strings escaped, forms and menus as the UI driver sees them.
#include "host/win/UiForm.h"
#include "host/win/UiMenuView.h"

#include <string>

namespace serve {

// A JSON string (quotes included) of a wide or UTF-8 text; control characters escaped.
std::string jsonString(const std::wstring& text);
std::string jsonString(const std::string& utf8);

// {"id":129,"caption":"...","controls":[{"id":1020,"kind":"combo","text":"1:100",
//  "items":[...],"selected":1,"check":-1,"enabled":true}, ...]}; hidden controls are
// left out.
std::string formJson(const host::UiForm& form);
// [{"id":32798,"text":"&Punkt einfügen","depth":0,"popup":false,"separator":false,
//   "enabled":true,"checked":false}, ...]
std::string menuJson(const host::UiMenuView& menu);

} // namespace serve

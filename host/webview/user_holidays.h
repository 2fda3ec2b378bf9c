#pragma once
// The user's own holiday table, holidays.tsv in the program's data folder.
// The page cannot read files, so the host reads it and hands its text to the
// page in a script that runs before the page's own; the page checks it with
// the same parser as the shipped table. What the page refuses comes back as
// a message that goes to standard error.

#include <webkit2/webkit2.h>

#include <string>

namespace kestrun {

// userDataFolder()/holidays.tsv
std::string userHolidaysPath();

// Adds the script that sets the page's userHolidays and the "holidayProblem"
// message channel to `content`.
void addUserHolidays(WebKitUserContentManager* content);

}  // namespace kestrun

#pragma once
// The dialog that adds a day of one's own on a date of the calendar, or
// changes or removes one that is there: lunar or Gregorian, name, note and
// first year. It only asks; the caller writes the file.

#include "days/days_file.h"

#include <gtk/gtk.h>

#include <optional>
#include <string>
#include <vector>

namespace kestrun {

// An own day on the date, as the page read it from the file.
struct DayEntry {
    int line = 0;
    std::string text;   // the line as written
    std::string title;  // as the calendar shows it
};

// The date the user chose: Gregorian, its lunar date as days.tsv writes it
// ("03-05", "L04-01") and in words, and the own days already there.
struct DayRequest {
    int year = 0;
    int month = 0;  // 1-12
    int day = 0;
    std::string lunar;
    std::string lunarText;
    std::vector<DayEntry> entries;
};

// The line for days.tsv: kind, date (with the first year in front when
// given), name and the note when there is one; tabs and line breaks in what
// the user typed become spaces.
std::string dayLine(bool lunar, const std::string& date, const std::string& firstYear, const std::string& name,
                    const std::string& note);

// Shows the dialog over `parent` and waits for the user; the edit to make,
// or nothing when the dialog was cancelled.
std::optional<DayEdit> askDayEdit(GtkWindow* parent, const DayRequest& request);

// Tells the user, over `parent`, that the change could not be saved, and why.
void tellDayProblem(GtkWindow* parent, const std::string& why);

}  // namespace kestrun

#pragma once
// The dialog that adds a day of one's own on a date of the calendar, or
// changes or removes one that is there: lunar or Gregorian, name, note and
// first year. It asks, and has the caller's save make the change; the dialog
// stays open, with what the user typed, until a save succeeds.

#include "days/days_file.h"
#include "platform/runtime_error.h"

#include <gtk/gtk.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kestrun {

// An own day on the date, as the page read it from the file.
struct DayEntry {
    int line = 0;
    std::string text;   // the line as written
    std::string title;  // as the calendar shows it
    std::string date;   // its own date in words: "农历闰四月初一", "2月29日"
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

// The fields of a days.tsv line as written: kind, first year, the date
// without it ("03-05", "L04-01"), name and note.
struct DayFields {
    bool lunar = true;
    std::string firstYear, date, name, note;
};

// The fields of a line the page took as a day, or nothing for any other line.
std::optional<DayFields> dayFields(const std::string& line);

// The line for days.tsv: kind, date (with the first year in front when
// given), name and the note when there is one; tabs and line breaks in what
// the user typed become spaces.
std::string dayLine(bool lunar, const std::string& date, const std::string& firstYear, const std::string& name,
                    const std::string& note);

// Shows the dialog over `parent` and waits for the user. Each edit the user
// asks for goes to `save`; when that throws, the dialog says why and stays.
// False when the dialog was left without a change saved.
bool askDayEdit(GtkWindow* parent, const DayRequest& request, const std::function<void(const DayEdit&)>& save);

// Tells the user, over `parent`, that the change could not be saved, and why.
void tellDayProblem(GtkWindow* parent, const RuntimeError& error);

}  // namespace kestrun

#include "days/day_dialog.h"

#include "platform/glib_ptr.h"

#include <memory>
#include <string_view>

namespace kestrun {

namespace {

struct WidgetDestroy {
    void operator()(GtkWidget* widget) const { gtk_widget_destroy(widget); }
};

enum Response { Save = GTK_RESPONSE_ACCEPT, Cancel = GTK_RESPONSE_CANCEL, Remove = 1 };

// The most characters the name and the note fields take. A longer name or
// note, written by hand, is not cut by the dialog: that day can only be
// removed there.
constexpr int longestField = 1000;
// The most characters of a title the day menu shows.
constexpr long longestTitle = 20;

std::string flat(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

bool digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

// MM-DD or LMM-DD.
bool dateForm(std::string_view date) {
    if (!date.empty() && date[0] == 'L') date.remove_prefix(1);
    return date.size() == 5 && digits(date.substr(0, 2)) && date[2] == '-' && digits(date.substr(3));
}

long characters(const std::string& text) { return g_utf8_strlen(text.c_str(), static_cast<gssize>(text.size())); }

std::string shortened(const std::string& text, long most) {
    if (characters(text) <= most) return text;
    GCharPtr part(g_utf8_substring(text.c_str(), 0, most - 1));
    return std::string(part.get()) + "…";
}

// The dialog's widgets, which the callbacks read and fill.
struct DayForm {
    const DayRequest* request = nullptr;
    GtkWidget* dialog = nullptr;
    GtkWidget* choice = nullptr;  // which own day, or a new one; null when there is none
    GtkWidget* lunar = nullptr;
    GtkWidget* solar = nullptr;
    GtkWidget* name = nullptr;
    GtkWidget* note = nullptr;
    GtkWidget* firstYear = nullptr;
    GtkWidget* problem = nullptr;
    GtkWidget* remove = nullptr;

    // The entry chosen, or null for a new day.
    const DayEntry* chosen() const {
        if (!choice) return nullptr;
        const int at = gtk_combo_box_get_active(GTK_COMBO_BOX(choice));
        return at > 0 ? &request->entries[static_cast<std::size_t>(at - 1)] : nullptr;
    }
    // The fields of the entry chosen; a new day's are empty.
    DayFields fields() const {
        const DayEntry* entry = chosen();
        return entry ? dayFields(entry->text).value_or(DayFields{}) : DayFields{};
    }
    // Whether the entry chosen is longer than the fields take.
    bool tooLong() const {
        const DayFields f = fields();
        return characters(f.name) > longestField || characters(f.note) > longestField;
    }
};

// The kinds' captions: the entry's own date for its own kind, the date
// chosen for the other (and for a new day).
void labelKinds(const DayForm& form, const DayFields& f) {
    const DayRequest& r = *form.request;
    const DayEntry* entry = form.chosen();
    const bool own = entry && !entry->date.empty();
    const std::string lunar = own && f.lunar ? entry->date : r.lunarText;
    const std::string solar = own && !f.lunar ? entry->date : std::to_string(r.month) + "月" + std::to_string(r.day) + "日";
    gtk_button_set_label(GTK_BUTTON(form.lunar), ("按农历（" + lunar + "）").c_str());
    gtk_button_set_label(GTK_BUTTON(form.solar), ("按公历（" + solar + "）").c_str());
}

void fill(DayForm& form) {
    const DayEntry* entry = form.chosen();
    const DayFields f = form.fields();
    labelKinds(form, f);
    // A radio button is turned on, never off: the other one goes off with it.
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(f.lunar ? form.lunar : form.solar), TRUE);
    gtk_entry_set_text(GTK_ENTRY(form.name), f.name.c_str());
    gtk_entry_set_text(GTK_ENTRY(form.note), f.note.c_str());
    gtk_entry_set_text(GTK_ENTRY(form.firstYear), f.firstYear.c_str());
    gtk_widget_set_visible(form.remove, entry != nullptr);
    const bool tooLong = form.tooLong();
    for (GtkWidget* field : {form.lunar, form.solar, form.name, form.note, form.firstYear})
        gtk_widget_set_sensitive(field, !tooLong);
    gtk_dialog_set_response_sensitive(GTK_DIALOG(form.dialog), Save, !tooLong);
    const std::string why = tooLong ? "名称或备注超过 " + std::to_string(longestField) +
                                          " 字，这里只能删除；修改请直接编辑 days.tsv"
                                    : "";
    gtk_label_set_text(GTK_LABEL(form.problem), why.c_str());
}

void onChoice(GtkComboBox*, gpointer form) { fill(*static_cast<DayForm*>(form)); }

GtkWidget* addRow(GtkGrid* grid, int row, const char* label, GtkWidget* field) {
    GtkWidget* caption = gtk_label_new_with_mnemonic(label);
    gtk_label_set_mnemonic_widget(GTK_LABEL(caption), field);
    gtk_widget_set_halign(caption, GTK_ALIGN_END);
    gtk_grid_attach(grid, caption, 0, row, 1, 1);
    gtk_widget_set_hexpand(field, TRUE);
    gtk_grid_attach(grid, field, 1, row, 1, 1);
    return field;
}

GtkWidget* textField(const char* hint, int most) {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_entry_set_placeholder_text(GTK_ENTRY(entry), hint);
    gtk_entry_set_max_length(GTK_ENTRY(entry), most);
    return entry;
}

// The form in the dialog's content area.
void build(GtkDialog* dialog, DayForm& form) {
    const DayRequest& r = *form.request;
    GtkGrid* grid = GTK_GRID(gtk_grid_new());
    gtk_grid_set_row_spacing(grid, 6);
    gtk_grid_set_column_spacing(grid, 12);
    gtk_container_set_border_width(GTK_CONTAINER(grid), 12);
    int row = 0;
    if (!r.entries.empty()) {
        form.choice = gtk_combo_box_text_new();
        gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(form.choice), "新增一个日子");
        for (const auto& entry : r.entries)
            gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(form.choice), shortened(entry.title, longestTitle).c_str());
        addRow(grid, row++, "日子(_D)：", form.choice);
    }
    form.lunar = gtk_radio_button_new_with_label(nullptr, "");
    form.solar = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(form.lunar), "");
    GtkWidget* kinds = gtk_box_new(GTK_ORIENTATION_VERTICAL, 2);
    gtk_box_pack_start(GTK_BOX(kinds), form.lunar, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(kinds), form.solar, FALSE, FALSE, 0);
    addRow(grid, row++, "每年(_Y)：", kinds);
    gtk_label_set_mnemonic_widget(GTK_LABEL(gtk_grid_get_child_at(grid, 0, row - 1)), form.lunar);
    form.name = addRow(grid, row++, "名称(_N)：", textField("如 妈妈生日", longestField));
    form.note = addRow(grid, row++, "备注(_O)：", textField("可不填", longestField));
    form.firstYear = addRow(grid, row++, "起始年份(_F)：", textField("可不填，如 1956", 4));
    form.problem = gtk_label_new("");
    gtk_label_set_line_wrap(GTK_LABEL(form.problem), TRUE);
    gtk_grid_attach(grid, form.problem, 0, row, 2, 1);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(dialog)), GTK_WIDGET(grid));
    if (form.choice) {
        gtk_combo_box_set_active(GTK_COMBO_BOX(form.choice), 1);
        g_signal_connect(form.choice, "changed", G_CALLBACK(onChoice), &form);
    }
    fill(form);
    gtk_widget_grab_focus(form.name);
}

// The edit the form asks for, or nothing with the reason in `why`.
std::optional<DayEdit> editOf(const DayForm& form, std::string& why) {
    const DayRequest& r = *form.request;
    const DayEntry* entry = form.chosen();
    const bool lunar = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(form.lunar));
    const std::string name = flat(gtk_entry_get_text(GTK_ENTRY(form.name)));
    const std::string note = flat(gtk_entry_get_text(GTK_ENTRY(form.note)));
    const std::string year = flat(gtk_entry_get_text(GTK_ENTRY(form.firstYear)));
    if (form.tooLong()) why = gtk_label_get_text(GTK_LABEL(form.problem));
    else if (name.empty()) why = "请写上名称";
    else if (!year.empty() && (year.size() != 4 || !digits(year) || std::stoi(year) > 2100))
        why = "起始年份应为四位数字，不晚于 2100";
    if (!why.empty()) return std::nullopt;
    const DayFields was = form.fields();
    DayEdit edit;
    edit.line = entry ? entry->line : 0;
    edit.oldText = entry ? entry->text : "";
    // A day saved as it was is left as it is written, spaces and all.
    if (entry && was.lunar == lunar && was.firstYear == year && flat(was.name) == name && flat(was.note) == note) {
        edit.newText = edit.oldText;
        return edit;
    }
    // A day kept in its calendar keeps its own date; a new one, or one moved
    // to the other calendar, takes the date chosen.
    const std::string date = (entry && was.lunar == lunar && !was.date.empty()) ? was.date
                             : lunar ? r.lunar : twoDigits(r.month) + "-" + twoDigits(r.day);
    edit.newText = dayLine(lunar, date, year, name, note);
    return edit;
}

}  // namespace

// Split by hand, as the page splits it: a pattern matcher's backtracking
// grows the stack with the line, and a line may be as long as the file.
std::optional<DayFields> dayFields(const std::string& line) {
    std::vector<std::string_view> f;
    const std::string_view text = line;
    for (std::size_t start = 0;;) {
        const std::size_t tab = text.find('\t', start);
        f.push_back(text.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    if (f.size() < 3 || f.size() > 4 || (f[0] != "lunar" && f[0] != "solar")) return std::nullopt;
    DayFields fields;
    fields.lunar = f[0] == "lunar";
    std::string_view date = f[1];
    if (date.size() > 5 && date[4] == '-' && digits(date.substr(0, 4))) {
        fields.firstYear = date.substr(0, 4);
        date.remove_prefix(5);
    }
    if (!dateForm(date)) return std::nullopt;
    fields.date = date;
    fields.name = f[2];
    if (f.size() == 4) fields.note = f[3];
    return fields;
}

std::string dayLine(bool lunar, const std::string& date, const std::string& firstYear, const std::string& name,
                    const std::string& note) {
    std::string line = std::string(lunar ? "lunar" : "solar") + "\t" + (firstYear.empty() ? "" : firstYear + "-") +
                       date + "\t" + flat(name);
    if (!flat(note).empty()) line += "\t" + flat(note);
    return line;
}

void tellDayProblem(GtkWindow* parent, const RuntimeError& error) {
    // A file name need not be UTF-8; the box only shows it.
    GCharPtr shown(g_filename_display_name(error.path().c_str()));
    const std::string what = error.path().empty() ? error.reason() : std::string(shown.get()) + ": " + error.reason();
    const std::unique_ptr<GtkWidget, WidgetDestroy> box(gtk_message_dialog_new(
        parent, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE, "无法保存 %s", what.c_str()));
    gtk_dialog_run(GTK_DIALOG(box.get()));
}

bool askDayEdit(GtkWindow* parent, const DayRequest& request, const std::function<void(const DayEdit&)>& save) {
    const std::string title = "我的日子：" + std::to_string(request.year) + "年" + std::to_string(request.month) + "月" +
                              std::to_string(request.day) + "日";
    const std::unique_ptr<GtkWidget, WidgetDestroy> widget(gtk_dialog_new_with_buttons(title.c_str(), parent,
                                                    static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL |
                                                                                GTK_DIALOG_DESTROY_WITH_PARENT),
                                                    "取消(_C)", Cancel, "保存(_S)", Save, nullptr));
    GtkDialog* dialog = GTK_DIALOG(widget.get());
    DayForm form;
    form.request = &request;
    form.dialog = widget.get();
    form.remove = gtk_dialog_add_button(dialog, "删除(_R)", Remove);
    gtk_dialog_set_default_response(dialog, Save);
    build(dialog, form);
    gtk_widget_show_all(gtk_dialog_get_content_area(dialog));
    gtk_widget_set_visible(form.remove, form.chosen() != nullptr);

    for (;;) {
        const int response = gtk_dialog_run(dialog);
        std::optional<DayEdit> edit;
        std::string why;
        if (response == Remove && form.chosen())
            edit = DayEdit{form.chosen()->line, form.chosen()->text, ""};
        else if (response == Save)
            edit = editOf(form, why);
        else
            return false;
        if (!edit) {
            gtk_label_set_text(GTK_LABEL(form.problem), why.c_str());
            continue;
        }
        try {
            save(*edit);
            return true;
        } catch (const RuntimeError& error) {
            tellDayProblem(GTK_WINDOW(dialog), error);
        }
    }
}

}  // namespace kestrun

#include "days/day_dialog.h"

#include <memory>
#include <regex>

namespace kestrun {

namespace {

struct WidgetDestroy {
    void operator()(GtkWidget* widget) const { gtk_widget_destroy(widget); }
};

enum Response { Save = GTK_RESPONSE_ACCEPT, Cancel = GTK_RESPONSE_CANCEL, Remove = 1 };

std::string flat(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// The fields of a days.tsv line: kind, first year, date without it, name, note.
struct DayFields {
    bool lunar = true;
    std::string firstYear, date, name, note;
};

DayFields fieldsOf(const std::string& line) {
    static const std::regex form("^(lunar|solar)\\t(?:(\\d{4})-)?(L?\\d{2}-\\d{2})\\t([^\\t]*)(?:\\t(.*))?$");
    std::smatch m;
    DayFields f;
    if (!std::regex_match(line, m, form)) return f;
    f.lunar = m[1] == "lunar";
    f.firstYear = m[2];
    f.date = m[3];
    f.name = m[4];
    f.note = m[5];
    return f;
}

// The dialog's widgets, which the callbacks read and fill.
struct DayForm {
    const DayRequest* request = nullptr;
    GtkWidget* choice = nullptr;  // which own day, or a new one; null when there is none
    GtkWidget* lunar = nullptr;
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
};

void fill(DayForm& form) {
    const DayEntry* entry = form.chosen();
    const DayFields f = entry ? fieldsOf(entry->text) : DayFields{};
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(form.lunar), f.lunar);
    gtk_entry_set_text(GTK_ENTRY(form.name), f.name.c_str());
    gtk_entry_set_text(GTK_ENTRY(form.note), f.note.c_str());
    gtk_entry_set_text(GTK_ENTRY(form.firstYear), f.firstYear.c_str());
    gtk_widget_set_visible(form.remove, entry != nullptr);
    gtk_label_set_text(GTK_LABEL(form.problem), "");
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

GtkWidget* textField(const char* hint) {
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_activates_default(GTK_ENTRY(entry), TRUE);
    gtk_entry_set_placeholder_text(GTK_ENTRY(entry), hint);
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
        for (const auto& entry : r.entries) gtk_combo_box_text_append_text(GTK_COMBO_BOX_TEXT(form.choice), entry.title.c_str());
        addRow(grid, row++, "日子(_D)：", form.choice);
    }
    const std::string lunarLabel = "按农历（" + r.lunarText + "）";
    const std::string solarLabel = "按公历（" + std::to_string(r.month) + "月" + std::to_string(r.day) + "日）";
    form.lunar = gtk_radio_button_new_with_label(nullptr, lunarLabel.c_str());
    GtkWidget* solar = gtk_radio_button_new_with_label_from_widget(GTK_RADIO_BUTTON(form.lunar), solarLabel.c_str());
    GtkWidget* kinds = gtk_box_new(GTK_ORIENTATION_VERTICAL, 2);
    gtk_box_pack_start(GTK_BOX(kinds), form.lunar, FALSE, FALSE, 0);
    gtk_box_pack_start(GTK_BOX(kinds), solar, FALSE, FALSE, 0);
    addRow(grid, row++, "每年(_Y)：", kinds);
    gtk_label_set_mnemonic_widget(GTK_LABEL(gtk_grid_get_child_at(grid, 0, row - 1)), form.lunar);
    form.name = addRow(grid, row++, "名称(_N)：", textField("如 妈妈生日"));
    form.note = addRow(grid, row++, "备注(_O)：", textField("可不填"));
    form.firstYear = addRow(grid, row++, "起始年份(_F)：", textField("可不填，如 1956"));
    form.problem = gtk_label_new("");
    gtk_grid_attach(grid, form.problem, 0, row, 2, 1);
    gtk_container_add(GTK_CONTAINER(gtk_dialog_get_content_area(dialog)), GTK_WIDGET(grid));
    if (form.choice) {
        gtk_combo_box_set_active(GTK_COMBO_BOX(form.choice), 1);
        g_signal_connect(form.choice, "changed", G_CALLBACK(onChoice), &form);
    }
    fill(form);
    gtk_widget_grab_focus(form.name);
}

// The edit the form asks for, or an empty line with the reason in `why`.
std::optional<DayEdit> editOf(const DayForm& form, std::string& why) {
    const DayRequest& r = *form.request;
    const DayEntry* entry = form.chosen();
    const bool lunar = gtk_toggle_button_get_active(GTK_TOGGLE_BUTTON(form.lunar));
    const std::string name = flat(gtk_entry_get_text(GTK_ENTRY(form.name)));
    const std::string year = flat(gtk_entry_get_text(GTK_ENTRY(form.firstYear)));
    if (name.empty()) why = "请写上名称";
    else if (!year.empty() && (!std::regex_match(year, std::regex("\\d{4}")) || std::stoi(year) > 2100))
        why = "起始年份应为四位数字，不晚于 2100";
    if (!why.empty()) return std::nullopt;
    // A day kept as it was keeps its own date; a new one, or one moved to the
    // other calendar, takes the date chosen.
    const DayFields was = entry ? fieldsOf(entry->text) : DayFields{};
    const std::string date = (entry && was.lunar == lunar && !was.date.empty()) ? was.date
                             : lunar ? r.lunar : twoDigits(r.month) + "-" + twoDigits(r.day);
    DayEdit edit;
    edit.line = entry ? entry->line : 0;
    edit.oldText = entry ? entry->text : "";
    edit.newText = dayLine(lunar, date, year, name, flat(gtk_entry_get_text(GTK_ENTRY(form.note))));
    return edit;
}

}  // namespace

std::string dayLine(bool lunar, const std::string& date, const std::string& firstYear, const std::string& name,
                    const std::string& note) {
    std::string line = std::string(lunar ? "lunar" : "solar") + "\t" + (firstYear.empty() ? "" : firstYear + "-") +
                       date + "\t" + flat(name);
    if (!flat(note).empty()) line += "\t" + flat(note);
    return line;
}

void tellDayProblem(GtkWindow* parent, const std::string& why) {
    const std::unique_ptr<GtkWidget, WidgetDestroy> box(gtk_message_dialog_new(
        parent, GTK_DIALOG_MODAL, GTK_MESSAGE_ERROR, GTK_BUTTONS_CLOSE, "无法保存：%s", why.c_str()));
    gtk_dialog_run(GTK_DIALOG(box.get()));
}

std::optional<DayEdit> askDayEdit(GtkWindow* parent, const DayRequest& request) {
    const std::string title = "我的日子：" + std::to_string(request.year) + "年" + std::to_string(request.month) + "月" +
                              std::to_string(request.day) + "日";
    const std::unique_ptr<GtkWidget, WidgetDestroy> widget(gtk_dialog_new_with_buttons(title.c_str(), parent,
                                                    static_cast<GtkDialogFlags>(GTK_DIALOG_MODAL |
                                                                                GTK_DIALOG_DESTROY_WITH_PARENT),
                                                    "取消(_C)", Cancel, "保存(_S)", Save, nullptr));
    GtkDialog* dialog = GTK_DIALOG(widget.get());
    DayForm form;
    form.request = &request;
    form.remove = gtk_dialog_add_button(dialog, "删除(_R)", Remove);
    gtk_dialog_set_default_response(dialog, Save);
    build(dialog, form);
    gtk_widget_show_all(gtk_dialog_get_content_area(dialog));
    gtk_widget_set_visible(form.remove, form.chosen() != nullptr);

    std::optional<DayEdit> result;
    for (;;) {
        const int response = gtk_dialog_run(dialog);
        if (response == Remove && form.chosen()) {
            result = DayEdit{form.chosen()->line, form.chosen()->text, ""};
            break;
        }
        if (response != Save) break;
        std::string why;
        result = editOf(form, why);
        if (result) break;
        gtk_label_set_text(GTK_LABEL(form.problem), why.c_str());
    }
    return result;
}

}  // namespace kestrun

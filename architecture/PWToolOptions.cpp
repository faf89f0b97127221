// The class-based tools' options dialogs.
#include "architecture/PWToolOptions.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "architecture/ArchitectureMessages.h"
#include "core/CoreGlobals.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSuites.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

constexpr int16_t kOKItem = 1, kCancelItem = 2;

std::string ShownText(const OptionField& f) {
    if (f.count) return std::to_string(f.count->get());
    if (f.text) return f.text->get();
    // A length is shown as typed, whatever layer is current.
    char text[256] = {};
    doScaleAndUnitsAt(1.0f, f.length->get(), text, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                      static_cast<int16_t>(g->prefs.NumericInputPrecision));
    return text;
}

std::string ItemText(ADMDialogRef dialog, int16_t id) {
    char text[PWPersistentString::kMaxLength + 1] = {};
    sADMItem->GetText(Item(dialog, id), text, sizeof text);
    return text;
}

// What a field holds.
struct Read {
    double length = 0;
    int32_t count = 0;
    std::string text;
};

std::optional<Read> Refused(ADMDialogRef dialog, const OptionField& f, const std::string& words) {
    (void)RefuseFieldInput(dialog, f.item, words);
    return std::nullopt;
}

// The field's value, or nothing once it has been refused in words with the field made active.
std::optional<Read> ReadField(ADMDialogRef dialog, const OptionField& f) {
    Read r;
    if (f.text) {
        r.text = ItemText(dialog, f.item);
        return r;
    }
    if (f.count) {
        if (!ReadWholeNumberField(dialog, f.item, f.least, f.most, &r.count)) return std::nullopt;
        return r;
    }
    double typed = 0;
    if (!parseFieldInput(dialog, f.item, &typed, g->prefs.NumericInputUnits))
        return Refused(dialog, f, FieldInputWords(kUnreadableValueMessage));
    r.length = typed;
    if (!(r.length > 0) || !std::isfinite(static_cast<float>(r.length)))
        return Refused(dialog, f, FieldInputWords(kGreaterThanZeroMessage));
    // The art and the house record hold it as a float, in which it would be 0.
    if (!(static_cast<float>(r.length) > 0)) return Refused(dialog, f, ArchitectureText(kTooSmallMessage));
    return r;
}

struct OpenOptions {
    std::span<const OptionField> fields;
    std::vector<std::string> shown;  // each field's text as the dialog opened
};

void OptionsOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    const auto* open = static_cast<const OpenOptions*>(sADMDialog->GetUserData(dialog));
    if (open) {
        std::vector<Read> reads;
        for (size_t i = 0; i < open->fields.size(); ++i) {
            const OptionField& f = open->fields[i];
            // A length left as it was shown, perhaps rounded, keeps its value in full.
            if (f.length && ItemText(dialog, f.item) == open->shown[i]) {
                reads.push_back({.length = f.length->get()});
                continue;
            }
            const std::optional<Read> read = ReadField(dialog, f);
            if (!read) return;
            reads.push_back(*read);
        }
        for (size_t i = 0; i < reads.size(); ++i) {
            const OptionField& f = open->fields[i];
            if (f.text) f.text->set(reads[i].text);
            if (f.count) f.count->set(reads[i].count);
            if (f.length) f.length->set(reads[i].length);
            PWPersistentDataType* setting = f.text ? static_cast<PWPersistentDataType*>(f.text)
                                            : f.count ? static_cast<PWPersistentDataType*>(f.count)
                                                      : f.length;
            (void)setting->write();  // a store that refuses keeps the value for this session
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

ASErr InitOptionsDialog(ADMDialogRef dialog) {
    auto* open = static_cast<OpenOptions*>(sADMDialog->GetUserData(dialog));
    if (!open) return kBadParameterErr;
    sADMItem->SetNotifyProc(Item(dialog, kOKItem), Guarded<&OptionsOKBtnCallbackProc>);
    sADMDialog->SetDefaultItemID(dialog, kOKItem);
    sADMDialog->SetCancelItemID(dialog, kCancelItem);
    for (const OptionField& f : open->fields) {
        open->shown.push_back(ShownText(f));
        if (ADMItemRef item = Item(dialog, f.item)) sADMItem->SetText(item, open->shown.back().c_str());
    }
    return kNoErr;
}

}  // namespace

AIErr RunOptionsDialog(const char* name, int32_t id, std::span<const OptionField> fields) {
    if (!sADMDialog) return kNoErr;
    OpenOptions open{fields};
    (void)sADMDialog->Modal(g->thisPlugin, name, id, kADMModalDialogStyle, Guarded<&InitOptionsDialog>, &open, 0);
    return kNoErr;
}

bool UsableLength(const PWPersistentDouble& length) {
    const auto drawn = static_cast<float>(length.get());
    return std::isfinite(drawn) && drawn > 0;
}

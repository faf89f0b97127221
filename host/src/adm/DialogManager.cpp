// The dialog manager's model: dialogs, items, lists and entries by handle, the modal loop
// played from the script's answers, user actions, notification and drawing.
#include "adm/DialogManager.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace standin {
namespace {

template <typename Ref>
Ref toRef(uintptr_t handle) {
    return reinterpret_cast<Ref>(handle);
}
template <typename Ref>
uintptr_t fromRef(Ref ref) {
    return reinterpret_cast<uintptr_t>(ref);
}

template <typename T>
T* lookup(const std::map<uintptr_t, std::unique_ptr<T>>& m, uintptr_t h) {
    auto it = m.find(h);
    return it == m.end() ? nullptr : it->second.get();
}
template <typename T>
T* lookup(const std::map<uintptr_t, T*>& m, uintptr_t h) {
    auto it = m.find(h);
    return it == m.end() ? nullptr : it->second;
}

// Registers a transient object (notifier, tracker, drawer) for the length of a callback.
template <typename T>
class Scoped {
public:
    Scoped(std::map<uintptr_t, T*>& m, T& obj) : m_(m), h_(obj.handle) { m_[h_] = &obj; }
    ~Scoped() { m_.erase(h_); }
    Scoped(const Scoped&) = delete;
    Scoped& operator=(const Scoped&) = delete;

private:
    std::map<uintptr_t, T*>& m_;
    uintptr_t h_;
};

struct UnitInfo {
    int32_t units;
    const char* label;    // written after the number
    float points;         // one unit in points (0: not a length)
};
constexpr UnitInfo kUnits[] = {
    {kADMNoUnits, "", 0},
    {kADMPointUnits, " pt", 1.0f},
    {kADMInchUnits, " in", 72.0f},
    {kADMMillimeterUnits, " mm", 72.0f / 25.4f},
    {kADMCentimeterUnits, " cm", 72.0f / 2.54f},
    {kADMPicaUnits, " pc", 12.0f},
    {kADMPercentUnits, "%", 0},
    {kADMDegreeUnits, "\xB0", 0},
};
// Unit words accepted after a typed number (platform bytes).
struct UnitWord {
    const char* word;
    int32_t units;
};
constexpr UnitWord kUnitWords[] = {
    {"pt", kADMPointUnits}, {"in", kADMInchUnits},       {"\"", kADMInchUnits},   {"mm", kADMMillimeterUnits},
    {"cm", kADMCentimeterUnits}, {"pc", kADMPicaUnits},  {"p", kADMPicaUnits},    {"%", kADMPercentUnits},
    {"\xB0", kADMDegreeUnits},   {"deg", kADMDegreeUnits},
};

const UnitInfo* unitInfo(int32_t units) {
    for (const auto& u : kUnits)
        if (u.units == units) return &u;
    return nullptr;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool isListType(const std::string& type) {
    return type == kADMPopupListType || type == kADMListBoxType || type == kADMTextEditPopupType ||
           type == kADMSpinEditPopupType || type == kADMPopupMenuType;
}
bool isRadio(const std::string& type) {
    return type == kADMTextRadioButtonType || type == kADMPictureRadioButtonType;
}
bool isCheckBox(const std::string& type) { return type == kADMTextCheckBoxType; }

}  // namespace

DialogManager::DialogManager(Resources& resources) : resources_(resources) {}

void detachDialogManager(DialogManager* m);  // AdmSuites.cpp

DialogManager::~DialogManager() {
    shutdown();
    detachDialogManager(this);
}

void DialogManager::shutdown() {
    std::vector<uintptr_t> all;
    for (const auto& [h, d] : dialogs_) all.push_back(h);
    for (uintptr_t h : all) eraseDialog(h);
    images_.clear();
    imageDrawers_.clear();
    icons_.clear();
}

// --- Lookups -------------------------------------------------------------------------------

adm::Dialog* DialogManager::dialog(ADMDialogRef ref) { return lookup(dialogs_, fromRef(ref)); }
adm::Item* DialogManager::item(ADMItemRef ref) { return lookup(items_, fromRef(ref)); }
adm::List* DialogManager::list(ADMListRef ref) { return lookup(lists_, fromRef(ref)); }
adm::Entry* DialogManager::entry(ADMEntryRef ref) { return lookup(entries_, fromRef(ref)); }
adm::Notifier* DialogManager::notifier(ADMNotifierRef ref) { return lookup(notifiers_, fromRef(ref)); }
adm::Tracker* DialogManager::tracker(ADMTrackerRef ref) { return lookup(trackers_, fromRef(ref)); }
adm::Image* DialogManager::image(ADMImageRef ref) { return lookup(images_, fromRef(ref)); }
adm::Drawer* DialogManager::drawer(ADMDrawerRef ref) {
    if (auto* d = lookup(drawers_, fromRef(ref))) return d;
    return lookup(imageDrawers_, fromRef(ref));
}
adm::Dialog* DialogManager::dialogOf(const adm::Item& it) { return lookup(dialogs_, it.dialog); }
adm::Item* DialogManager::itemOf(const adm::List& l) { return lookup(items_, l.item); }
adm::List* DialogManager::listOf(const adm::Entry& e) { return lookup(lists_, e.list); }

int32_t DialogManager::entryIndex(const adm::Entry& e) {
    const adm::List* l = listOf(e);
    if (!l) return -1;
    auto it = std::find(l->entries.begin(), l->entries.end(), e.handle);
    return it == l->entries.end() ? -1 : static_cast<int32_t>(it - l->entries.begin());
}

adm::Item* DialogManager::itemOfDialog(adm::Dialog& d, int32_t itemID) {
    auto it = d.items.find(itemID);
    return it == d.items.end() ? nullptr : lookup(items_, it->second);
}

ADMDialogRef DialogManager::findDialog(const std::string& name) const {
    for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it)
        if (it->second->name == name && !it->second->closed) return toRef<ADMDialogRef>(it->first);
    return nullptr;
}

std::vector<ADMDialogRef> DialogManager::openDialogs() const {
    std::vector<ADMDialogRef> out;
    for (const auto& [h, d] : dialogs_)
        if (!d->closed) out.push_back(toRef<ADMDialogRef>(h));
    return out;
}

const std::vector<DrawOp>& DialogManager::drawing(ADMItemRef ref) const {
    static const std::vector<DrawOp> none;
    const adm::Item* it = lookup(items_, fromRef(ref));
    return it ? it->drawing : none;
}

const std::vector<DrawOp>* DialogManager::imageOps(ADMImageRef ref) const {
    const adm::Image* img = lookup(images_, fromRef(ref));
    return img ? &img->ops : nullptr;
}

// --- Making and ending dialogs ----------------------------------------------------------------

uintptr_t DialogManager::makeList(adm::Item& it) {
    auto l = std::make_unique<adm::List>();
    l->handle = newHandle();
    l->item = it.handle;
    const uintptr_t h = l->handle;
    lists_[h] = std::move(l);
    it.list = h;
    return h;
}

uintptr_t DialogManager::makeItem(adm::Dialog& d, const ItemTemplate& t) {
    auto it = std::make_unique<adm::Item>();
    it->handle = newHandle();
    it->dialog = d.handle;
    it->id = t.id;
    it->type = t.type;
    it->style = t.style;
    it->text = t.text;
    it->group = t.group;
    it->bounds = t.bounds;
    it->pictureID = t.pictureID;
    it->maxLength = t.maxLength;
    if (t.type == kADMTextEditType && t.style == kADMSingleLineTextEditStyle && t.maxLength == 0) it->maxLength = 256;
    if (t.hasRange) {
        it->minimum = t.minimum;
        it->maximum = t.maximum;
    }
    adm::Item& ref = *it;
    const uintptr_t h = it->handle;
    items_[h] = std::move(it);
    d.items[t.id] = h;
    if (isListType(ref.type)) {
        makeList(ref);
        if (t.menuID) setMenuID(*lookup(lists_, ref.list), t.menuID);
    }
    // Initial values are set as the plug-in would set them, without notification.
    if (isCheckBox(ref.type) || isRadio(ref.type)) {
        ref.boolValue = t.value != 0;
    } else if (ref.type == kADMSliderType || isNumeric(ref)) {
        if (t.value != 0 || ref.text.empty()) clampAndFormat(ref, t.value);
    } else if (ref.list && ref.type == kADMPopupListType) {
        // A popup shows an entry from the start: the template's value is its index.
        if (adm::Entry* e = indexEntry(*lookup(lists_, ref.list), adm::nearestInt32(t.value)))
            activateEntry(*e, true);
    }
    return h;
}

uintptr_t DialogManager::makeDialog(const DialogTemplate* tpl, SPPluginRef plugin, const char* name,
                                    int32_t dialogID, int32_t style, ADMUserData userData) {
    auto d = std::make_unique<adm::Dialog>();
    d->handle = newHandle();
    d->name = name ? name : (tpl ? tpl->name : std::string());
    d->templateID = dialogID;
    d->style = style;
    d->plugin = plugin;
    d->userData = userData;
    if (tpl) {
        d->bounds = tpl->bounds;
        d->defaultItem = tpl->defaultItem;
        d->cancelItem = tpl->cancelItem;
    }
    adm::Dialog& ref = *d;
    const uintptr_t h = d->handle;
    dialogs_[h] = std::move(d);
    if (tpl) {
        for (const auto& t : tpl->items) makeItem(ref, t);
    }
    // Every dialog has the popout menu and the host item.
    ItemTemplate popout;
    popout.id = kADMPopoutMenuItemID;
    popout.type = kADMPopupMenuType;
    if (!ref.items.count(popout.id)) makeItem(ref, popout);
    ItemTemplate hostItem;
    hostItem.id = kADMHostItemID;
    hostItem.type = kADMUserType;
    if (!ref.items.count(hostItem.id)) makeItem(ref, hostItem);
    return h;
}

void DialogManager::eraseList(uintptr_t handle) {
    adm::List* l = lookup(lists_, handle);
    if (!l) return;
    for (uintptr_t e : l->entries) entries_.erase(e);
    lists_.erase(handle);
}

void DialogManager::eraseDialog(uintptr_t handle) {
    adm::Dialog* d = lookup(dialogs_, handle);
    if (!d) return;
    for (const auto& [id, h] : d->items) {
        if (adm::Item* it = lookup(items_, h)) eraseList(it->list);
        items_.erase(h);
    }
    dialogs_.erase(handle);
}

ADMDialogRef DialogManager::create(SPPluginRef plugin, const char* name, int32_t dialogID, int32_t style,
                                   ADMDialogInitProc initProc, ADMUserData userData) {
    if (failCreate_) return nullptr;
    const DialogTemplate* tpl = resources_.dialog(dialogID);
    if (!tpl) {
        fail("no dialog template " + std::to_string(dialogID) + " for \"" + (name ? name : "") + "\"");
        return nullptr;
    }
    const uintptr_t h = makeDialog(tpl, plugin, name, dialogID, style, userData);
    if (initProc && initProc(toRef<ADMDialogRef>(h)) != kNoErr) {
        eraseDialog(h);
        return nullptr;
    }
    return toRef<ADMDialogRef>(h);
}

int32_t DialogManager::modal(SPPluginRef plugin, const char* name, int32_t dialogID, int32_t style,
                             ADMDialogInitProc initProc, ADMUserData userData) {
    const std::string dialogName = name ? name : "";
    const DialogTemplate* tpl = resources_.dialog(dialogID);
    if (!tpl) {
        fail("no dialog template " + std::to_string(dialogID) + " for \"" + dialogName + "\"");
        return -1;
    }
    const uintptr_t h = makeDialog(tpl, plugin, name, dialogID, style, userData);
    lookup(dialogs_, h)->modal = true;
    ++modalDepth_;
    struct DepthGuard {
        int& depth;
        ~DepthGuard() { --depth; }
    } guard{modalDepth_};

    if (initProc && initProc(toRef<ADMDialogRef>(h)) != kNoErr) {
        eraseDialog(h);
        return -1;
    }
    adm::Dialog* d = lookup(dialogs_, h);
    if (!d) return -1;  // the init proc destroyed it
    if (!d->closed) {
        auto found = std::find_if(modalAnswers_.begin(), modalAnswers_.end(), [&](const ModalAnswer& a) {
            return a.dialog.empty() || a.dialog == dialogName;
        });
        if (found == modalAnswers_.end()) {
            fail("dialog \"" + dialogName + "\" opened with no answer queued; cancelled");
            endModal(*d, d->cancelItem);
        } else {
            ModalAnswer answer = std::move(*found);
            modalAnswers_.erase(found);
            size_t played = 0;
            for (const auto& action : answer.actions) {
                d = lookup(dialogs_, h);
                if (!d || d->closed) break;
                userAction(toRef<ADMDialogRef>(h), action);
                ++played;
            }
            d = lookup(dialogs_, h);
            if (d && !d->closed) {
                fail("dialog \"" + dialogName + "\" still open when its answers ran out; cancelled");
                endModal(*d, d->cancelItem);
            } else if (played < answer.actions.size()) {
                fail("dialog \"" + dialogName + "\" closed before all its answers were played");
            }
        }
    }
    d = lookup(dialogs_, h);
    const int32_t result = d ? d->result : -1;
    eraseDialog(h);
    return result;
}

void DialogManager::appendModalAction(const std::string& dialogName, const UserAction& action) {
    if (!modalAnswers_.empty() && modalAnswers_.back().dialog == dialogName) {
        modalAnswers_.back().actions.push_back(action);
        return;
    }
    for (auto it = modalAnswers_.rbegin(); it != modalAnswers_.rend(); ++it) {
        if (it->dialog == dialogName) {
            it->actions.push_back(action);
            return;
        }
    }
    modalAnswers_.push_back({dialogName, {action}});
}

AIErr DialogManager::setGroupInfo(ADMDialogRef ref, const std::string& group, ADMPositionCode code) {
    adm::Dialog* d = dialog(ref);
    if (!d) return kStaleHandleErr;
    d->groupName = group;
    d->position = code;
    return kNoErr;
}

AIErr DialogManager::endModal(adm::Dialog& d, int32_t result) {
    if (!d.modal || d.closed) return kBadParameterErr;
    d.closed = true;
    d.result = result;
    return kNoErr;
}

AIErr DialogManager::destroy(ADMDialogRef ref) {
    adm::Dialog* d = dialog(ref);
    if (!d) return kStaleHandleErr;
    if (d->modal) return kBadParameterErr;  // a modal dialog ends through EndModal
    eraseDialog(d->handle);
    return kNoErr;
}

AIErr DialogManager::setDialogGroupInfo(adm::Dialog& d, const char* group, ADMPositionCode code) {
    if (refuseGroups_ || !group) return kBadParameterErr;
    d.groupName = group;
    d.position = code;
    return kNoErr;
}

// --- Items ------------------------------------------------------------------------------------

bool DialogManager::isNumeric(const adm::Item& it) const {
    return (it.type == kADMTextEditType && it.style == kADMNumericTextEditStyle) || it.type == kADMTextEditPopupType ||
           it.type == kADMSpinEditPopupType;
}

void DialogManager::setItemType(adm::Item& it, const std::string& type) {
    it.type = type;
    if (isListType(type) && !it.list) makeList(it);
}

void DialogManager::clampAndFormat(adm::Item& it, float value) {
    if (!std::isfinite(value)) value = 0;
    it.value = std::clamp(value, std::min(it.minimum, it.maximum), std::max(it.minimum, it.maximum));
    if (isNumeric(it)) it.text = formatValue(it.value, it.units, it.precision, it.showUnits);
}

AIErr DialogManager::setText(adm::Item& it, std::string_view text) {
    std::string t(text);
    if (it.maxLength > 0 && t.size() > static_cast<size_t>(it.maxLength)) t.resize(it.maxLength);
    it.text = std::move(t);
    if (isNumeric(it)) {
        if (auto v = parseValue(it.text, it.units, it.allowUnits)) {
            const float lo = std::min(it.minimum, it.maximum), hi = std::max(it.minimum, it.maximum);
            it.value = std::clamp(*v, lo, hi);
        }
    }
    return kNoErr;
}

void DialogManager::setBoolean(adm::Item& it, bool value) {
    it.boolValue = value;
    if (!value || !isRadio(it.type)) return;
    // Radios of one group are exclusive.
    if (adm::Dialog* d = dialogOf(it)) {
        for (const auto& [id, h] : d->items) {
            adm::Item* other = lookup(items_, h);
            if (other && other != &it && isRadio(other->type) && other->group == it.group) other->boolValue = false;
        }
    }
}

void DialogManager::setFloat(adm::Item& it, float value) {
    if (isCheckBox(it.type) || isRadio(it.type)) {
        setBoolean(it, value != 0);
    } else if (it.list && !isNumeric(it)) {
        // Popups and list boxes: the value is the active entry's index.
        if (adm::Entry* e = indexEntry(*lookup(lists_, it.list), adm::nearestInt32(value)))
            activateEntry(*e, true);
    } else {
        clampAndFormat(it, value);
    }
}

float DialogManager::floatValue(const adm::Item& it) {
    if (isCheckBox(it.type) || isRadio(it.type)) return it.boolValue ? 1.0f : 0.0f;
    if (it.list && !isNumeric(it)) {
        const adm::List* l = lookup(lists_, it.list);
        const adm::Entry* e = l ? lookup(entries_, l->active) : nullptr;
        return e ? static_cast<float>(entryIndex(*e)) : -1.0f;
    }
    return it.value;
}

void DialogManager::activateItem(adm::Item& it, bool activate) {
    adm::Dialog* d = dialogOf(it);
    if (!d) return;
    if (activate)
        d->focusItem = it.id;
    else if (d->focusItem == it.id)
        d->focusItem = 0;
}

void DialogManager::update(adm::Item& it) {
    ++updates_;
    if (!it.invalid || !it.drawProc) return;
    it.invalid = false;
    it.drawing.clear();
    adm::Drawer dr;
    dr.handle = newHandle();
    dr.bounds = {0, 0, it.bounds.right - it.bounds.left, it.bounds.bottom - it.bounds.top};
    dr.ops = &it.drawing;
    Scoped<adm::Drawer> scope(drawers_, dr);
    it.drawProc(toRef<ADMItemRef>(it.handle), toRef<ADMDrawerRef>(dr.handle));
}

void DialogManager::updateDialog(adm::Dialog& d) {
    std::vector<uintptr_t> handles;
    for (const auto& [id, h] : d.items) handles.push_back(h);
    for (uintptr_t h : handles)
        if (adm::Item* it = lookup(items_, h)) update(*it);
}

AIErr DialogManager::defaultNotify(adm::Item& it) {
    adm::Dialog* d = dialogOf(it);
    if (!d) return kStaleHandleErr;
    if (d->modal && !d->closed && (it.id == d->defaultItem || it.id == d->cancelItem)) endModal(*d, it.id);
    return kNoErr;
}

void DialogManager::notifyItem(adm::Item& it, const char* type) {
    adm::Notifier n;
    n.handle = newHandle();
    n.type = type ? type : kADMUserChangedNotifier;
    n.item = it.handle;
    n.dialog = it.dialog;
    Scoped<adm::Notifier> scope(notifiers_, n);
    if (it.notifyProc)
        it.notifyProc(toRef<ADMItemRef>(it.handle), toRef<ADMNotifierRef>(n.handle));
    else
        defaultNotify(it);
}

void DialogManager::notifyDialog(adm::Dialog& d, const char* type) {
    if (!d.notifyProc) return;
    adm::Notifier n;
    n.handle = newHandle();
    n.type = type;
    n.dialog = d.handle;
    Scoped<adm::Notifier> scope(notifiers_, n);
    d.notifyProc(toRef<ADMDialogRef>(d.handle), toRef<ADMNotifierRef>(n.handle));
}

// --- The scripted user --------------------------------------------------------------------------

// The effect of a user action on the item's state, as the host applies it before notifying.
void DialogManager::applyAction(adm::Item& it, const UserAction& a) {
    switch (a.kind) {
    case UserAction::Kind::Press:
        if (isCheckBox(it.type))
            setBoolean(it, !it.boolValue);
        else if (isRadio(it.type))
            setBoolean(it, true);
        break;
    case UserAction::Kind::SetText:
        if (isNumeric(it)) {
            std::string typed = a.text;
            if (it.maxLength > 0 && typed.size() > static_cast<size_t>(it.maxLength)) typed.resize(it.maxLength);
            if (auto v = parseValue(typed, it.units, it.allowUnits)) {
                clampAndFormat(it, *v);
            } else {
                beep();  // the field keeps its value, as the host refuses text that is not a number
                clampAndFormat(it, it.value);
            }
            it.known = true;
        } else {
            setText(it, a.text);
        }
        break;
    case UserAction::Kind::SetValue:
        setFloat(it, a.value);
        it.known = true;
        break;
    case UserAction::Kind::Pick: {
        adm::List* l = lookup(lists_, it.list);
        adm::Entry* e = l ? indexEntry(*l, a.entry) : nullptr;
        if (!e) break;
        if (it.type == kADMListBoxType && multiSelect(*l) && (a.modifiers & kADMMenuKeyModifier)) {
            selectEntry(*e, !e->selected);  // Ctrl-click adds to or removes from the selection
            if (e->selected) l->active = e->handle;
        } else {
            activateEntry(*e, true);
        }
        if (isNumeric(it)) setText(it, e->text);
        it.known = true;
        break;
    }
    }
}

bool DialogManager::trackAndApply(adm::Item& it, const UserAction& a, int32_t action, int32_t key,
                                  uint32_t modifiers) {
    adm::Tracker t;
    t.handle = newHandle();
    t.action = action;
    t.point = a.point;
    if (t.point.h < 0 || t.point.v < 0)
        t.point = {(it.bounds.right - it.bounds.left) / 2, (it.bounds.bottom - it.bounds.top) / 2};
    t.modifiers = modifiers;
    t.virtualKey = key;
    t.pending = &a;
    if (a.kind == UserAction::Kind::SetText) {
        // The characters reach the field as they are typed: the key that ends the typing
        // comes to the tracker with the text already there (a numeric field already reads
        // its value), and its default tracking commits it (the value shown as the field
        // shows values).
        setText(it, a.text);
    }
    const uintptr_t handle = it.handle;  // the tracker may destroy the item's dialog
    bool accepted = true;
    if (it.trackProc) {
        Scoped<adm::Tracker> scope(trackers_, t);
        accepted = it.trackProc(toRef<ADMItemRef>(handle), toRef<ADMTrackerRef>(t.handle)) != 0;
    }
    // A tracker that neither ran the default tracking nor accepted the event swallows it.
    if (!t.applied) {
        if (!accepted) return false;
        if (adm::Item* still = lookup(items_, handle)) defaultTrack(*still, t);
    }
    return true;
}

bool DialogManager::defaultTrack(adm::Item& it, adm::Tracker& t) {
    if (t.applied || !t.pending) return true;
    t.applied = true;
    applyAction(it, *t.pending);
    return true;
}

AIErr DialogManager::userAction(ADMDialogRef ref, const UserAction& a) {
    adm::Dialog* d = dialog(ref);
    if (!d || d->closed) {
        fail("user action on a dialog that is not open");
        return kStaleHandleErr;
    }
    adm::Item* it = itemOfDialog(*d, a.item);
    const std::string where = "dialog \"" + d->name + "\" item " + std::to_string(a.item);
    if (!it) {
        fail(where + ": no such item");
        return kBadParameterErr;
    }
    if (!it->enabled || !it->visible) {
        fail(where + ": the item is " + (it->enabled ? "hidden" : "disabled"));
        return kBadParameterErr;
    }
    if (a.kind == UserAction::Kind::Pick) {
        adm::List* l = lookup(lists_, it->list);
        adm::Entry* e = l ? indexEntry(*l, a.entry) : nullptr;
        if (!e || !e->enabled || e->separator) {
            fail(where + ": no enabled entry " + std::to_string(a.entry));
            return kOutOfRangeErr;
        }
    }
    const uintptr_t h = it->handle;
    const bool keyed = a.kind == UserAction::Kind::SetText || a.kind == UserAction::Kind::SetValue;
    if (!trackAndApply(*it, a, keyed ? kADMKeyStrokeAction : kADMButtonDownAction, keyed ? a.commitKey : 0,
                       a.modifiers))
        return kNoErr;
    if (adm::Item* again = lookup(items_, h)) notifyItem(*again, kADMUserChangedNotifier);
    return kNoErr;
}

AIErr DialogManager::panelAction(const std::string& dialogName, const UserAction& action) {
    ADMDialogRef d = findDialog(dialogName);
    if (!d) {
        fail("no open panel \"" + dialogName + "\"");
        return kBadParameterErr;
    }
    return userAction(d, action);
}

std::string DialogManager::describe(ADMDialogRef ref) {
    adm::Dialog* d = dialog(ref);
    if (!d) return std::string();
    std::string out = "dialog \"" + d->name + "\" " + std::to_string(d->templateID) + "\n";
    for (const auto& [id, h] : d->items) {
        const adm::Item* it = lookup(items_, h);
        if (!it) continue;
        char value[32];
        std::snprintf(value, sizeof value, "%g", static_cast<double>(floatValue(*it)));
        out += "  " + std::to_string(id) + " " + it->type + " \"" + it->text + "\" value " + value;
        if (!it->enabled) out += " disabled";
        if (!it->visible) out += " hidden";
        if (!it->known) out += " unknown";
        if (const adm::List* l = lookup(lists_, it->list)) {
            out += " entries";
            for (uintptr_t eh : l->entries) {
                const adm::Entry* e = lookup(entries_, eh);
                if (!e) continue;
                out += e->separator ? " -" : " \"" + e->text + "\"";
                if (eh == l->active) out += "*";
                if (e->checked) out += "(checked)";
            }
        }
        out += "\n";
    }
    return out;
}

std::optional<DialogManager::ItemView> DialogManager::view(ADMDialogRef ref, int32_t itemID) {
    adm::Dialog* d = dialog(ref);
    adm::Item* it = d ? itemOfDialog(*d, itemID) : nullptr;
    if (!it) return std::nullopt;
    ItemView v;
    v.text = it->text;
    v.value = floatValue(*it);
    v.enabled = it->enabled;
    v.known = it->known;
    // An item showing a list entry reads as that entry.
    if (const adm::List* l = lookup(lists_, it->list); l && !isNumeric(*it))
        if (const adm::Entry* e = lookup(entries_, l->active)) v.text = e->text;
    return v;
}

AIErr DialogManager::userDragSlider(ADMDialogRef ref, int32_t itemID, const std::vector<float>& values) {
    adm::Dialog* d = dialog(ref);
    adm::Item* it = d ? itemOfDialog(*d, itemID) : nullptr;
    if (!it || values.empty()) return kBadParameterErr;
    if (!it->enabled || !it->visible) return kBadParameterErr;
    const uintptr_t h = it->handle;
    for (size_t i = 0; i < values.size(); ++i) {
        adm::Item* cur = lookup(items_, h);
        if (!cur) return kStaleHandleErr;
        clampAndFormat(*cur, values[i]);
        notifyItem(*cur, i + 1 < values.size() ? kADMIntermediateChangedNotifier : kADMUserChangedNotifier);
    }
    return kNoErr;
}

AIErr DialogManager::userResize(ADMDialogRef ref, int32_t width, int32_t height) {
    adm::Dialog* d = dialog(ref);
    if (!d) return kStaleHandleErr;
    d->bounds.right = d->bounds.left + width;
    d->bounds.bottom = d->bounds.top + height;
    notifyDialog(*d, kADMUserChangedNotifier);
    return kNoErr;
}

AIErr DialogManager::userMove(ADMDialogRef ref, int32_t h, int32_t v) {
    adm::Dialog* d = dialog(ref);
    if (!d) return kStaleHandleErr;
    d->bounds = {h, v, h + d->bounds.right - d->bounds.left, v + d->bounds.bottom - d->bounds.top};
    return kNoErr;
}

void DialogManager::setDialogSize(adm::Dialog& d, int32_t width, int32_t height) {
    const int32_t before = d.bounds.bottom - d.bounds.top;
    d.bounds.right = d.bounds.left + width;
    d.bounds.bottom = d.bounds.top + height;
    if (d.style != kADMTabbedFloatingDialogStyle) return;
    if (height == 0 && before > 0) d.expandedHeight = before;
    d.collapsed = height == 0;
}

AIErr DialogManager::userCollapse(ADMDialogRef ref, bool collapsed) {
    adm::Dialog* d = dialog(ref);
    if (!d) return kStaleHandleErr;
    // Expanding gives a panel collapsed to its tab the height it had before.
    const int32_t height = d->bounds.bottom - d->bounds.top;
    if (collapsed && height > 0) d->expandedHeight = height;
    if (!collapsed && height == 0 && d->expandedHeight > 0) d->bounds.bottom = d->bounds.top + d->expandedHeight;
    d->collapsed = collapsed;
    notifyDialog(*d, kADMCollapseNotifier);
    return kNoErr;
}

// --- Lists and entries ------------------------------------------------------------------------

bool DialogManager::multiSelect(const adm::List& l) {
    const adm::Item* it = lookup(items_, l.item);
    return it && it->type == kADMListBoxType && (it->style & kADMMultiSelectListBoxStyle);
}

AIErr DialogManager::setMenuID(adm::List& l, int32_t menuID) {
    removeAllEntries(l);
    l.menuID = menuID;
    auto texts = resources_.menu(menuID);
    if (!texts) {
        fail("no menu resource " + std::to_string(menuID));
        return kOutOfRangeErr;
    }
    for (size_t i = 0; i < texts->size(); ++i) {
        adm::Entry* e = insertEntry(l, static_cast<int32_t>(i));
        e->id = static_cast<int32_t>(i + 1);
        if ((*texts)[i] == "-")
            e->separator = true;
        else
            e->text = (*texts)[i];
    }
    return kNoErr;
}

adm::Entry* DialogManager::insertEntry(adm::List& l, int32_t index) {
    const auto count = static_cast<int32_t>(l.entries.size());
    index = std::clamp(index, 0, count);
    auto e = std::make_unique<adm::Entry>();
    e->handle = newHandle();
    e->list = l.handle;
    e->id = index + 1;
    adm::Entry* raw = e.get();
    entries_[e->handle] = std::move(e);
    l.entries.insert(l.entries.begin() + index, raw->handle);
    return raw;
}

AIErr DialogManager::removeEntry(adm::List& l, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= l.entries.size()) return kOutOfRangeErr;
    const uintptr_t h = l.entries[index];
    if (l.active == h) l.active = 0;
    l.entries.erase(l.entries.begin() + index);
    entries_.erase(h);
    return kNoErr;
}

void DialogManager::removeAllEntries(adm::List& l) {
    for (uintptr_t h : l.entries) entries_.erase(h);
    l.entries.clear();
    l.active = 0;
}

adm::Entry* DialogManager::indexEntry(adm::List& l, int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= l.entries.size()) return nullptr;
    return lookup(entries_, l.entries[index]);
}

void DialogManager::selectEntry(adm::Entry& e, bool select) {
    adm::List* l = listOf(e);
    if (!l) return;
    if (select && !multiSelect(*l)) {
        for (uintptr_t h : l->entries)
            if (adm::Entry* other = lookup(entries_, h)) other->selected = false;
    }
    e.selected = select;
}

void DialogManager::activateEntry(adm::Entry& e, bool activate) {
    adm::List* l = listOf(e);
    if (!l) return;
    if (!activate) {
        if (l->active == e.handle) l->active = 0;
        e.selected = false;
        return;
    }
    l->active = e.handle;
    // Activating picks the entry alone, as a click does.
    for (uintptr_t h : l->entries)
        if (adm::Entry* other = lookup(entries_, h)) other->selected = false;
    e.selected = true;
    adm::Item* it = itemOf(*l);
    if (it && (it->type == kADMPopupListType)) it->text = e.text;
}

// --- Alerts, colour chooser, app context ----------------------------------------------------

void DialogManager::setAlertButtonText(const char* left, const char* middle, const char* right) {
    alertButtons_ = {left ? left : "", middle ? middle : "", right ? right : ""};
    alertButtonsSet_ = true;
}

void DialogManager::alert(AlertRecord::Kind kind, const char* text) {
    AlertRecord r;
    r.kind = kind;
    r.text = text ? text : "";
    r.buttons = {"", "", "OK"};
    alerts_.push_back(std::move(r));
}

int32_t DialogManager::alertAnswer(AlertRecord::Kind kind, const char* text) {
    AlertRecord r;
    r.kind = kind;
    r.text = text ? text : "";
    if (alertButtonsSet_)
        r.buttons = alertButtons_;
    else if (kind == AlertRecord::Kind::YesNo)
        r.buttons = {"No", "", "Yes"};
    else
        r.buttons = {"OK", "", "Cancel"};
    alertButtonsSet_ = false;  // the texts serve one alert
    // Without a scripted answer the first button answers: yes, or the left button.
    int32_t answer = kind == AlertRecord::Kind::YesNo ? int32_t{kADMYesAnswer} : int32_t{kADMLeftButton};
    if (!alertAnswers_.empty()) {
        answer = alertAnswers_.front().answer;
        alertAnswers_.pop_front();
    }
    r.answer = answer;
    alerts_.push_back(std::move(r));
    return answer;
}

bool DialogManager::chooseColor(ADMPoint where, const ADMRGBColor* in, ADMRGBColor* out) {
    colorChoices_.push_back({where, in ? *in : ADMRGBColor{0, 0, 0}});
    std::optional<ADMRGBColor> answer;
    if (!colorAnswers_.empty()) {
        answer = colorAnswers_.front();
        colorAnswers_.pop_front();
    }
    if (!answer || !out) return false;
    *out = *answer;
    return true;
}

AIErr DialogManager::pushAppContext() {
    ++appContextDepth_;
    ++appContextPushes_;
    return kNoErr;
}

AIErr DialogManager::popAppContext() {
    if (appContextDepth_ == 0) {
        fail("PopAppContext without PushAppContext");
        return kBadParameterErr;
    }
    --appContextDepth_;
    return kNoErr;
}

// --- Images, drawers and icons ------------------------------------------------------------------

ADMImageRef DialogManager::createOffscreen(int32_t width, int32_t height) {
    if (failOffscreen_ || width <= 0 || height <= 0) return nullptr;
    auto img = std::make_unique<adm::Image>();
    img->handle = newHandle();
    img->width = width;
    img->height = height;
    const uintptr_t h = img->handle;
    images_[h] = std::move(img);
    return toRef<ADMImageRef>(h);
}

AIErr DialogManager::destroyImage(ADMImageRef ref) {
    adm::Image* img = image(ref);
    if (!img) return kStaleHandleErr;
    if (img->drawer) imageDrawers_.erase(img->drawer);
    images_.erase(img->handle);
    return kNoErr;
}

ADMDrawerRef DialogManager::beginDrawer(adm::Image& img) {
    if (img.drawer) return toRef<ADMDrawerRef>(img.drawer);
    auto dr = std::make_unique<adm::Drawer>();
    dr->handle = newHandle();
    dr->bounds = {0, 0, img.width, img.height};
    dr->ops = &img.ops;
    img.drawer = dr->handle;
    imageDrawers_[dr->handle] = std::move(dr);
    return toRef<ADMDrawerRef>(img.drawer);
}

AIErr DialogManager::endDrawer(adm::Image& img) {
    if (!img.drawer) return kBadParameterErr;
    imageDrawers_.erase(img.drawer);
    img.drawer = 0;
    return kNoErr;
}

ADMIconRef DialogManager::iconFromResource(int32_t iconID) {
    if (!resources_.hasPicture(iconID)) return nullptr;
    const uintptr_t h = newHandle();
    icons_[h] = iconID;
    return toRef<ADMIconRef>(h);
}

int32_t DialogManager::iconID(ADMIconRef icon) const {
    auto it = icons_.find(fromRef(icon));
    return it == icons_.end() ? 0 : it->second;
}

AIErr DialogManager::destroyIcon(ADMIconRef icon) {
    return icons_.erase(fromRef(icon)) ? kNoErr : kStaleHandleErr;
}

// --- Values and text ------------------------------------------------------------------------------

std::string DialogManager::formatValue(float value, int32_t units, int32_t precision, bool appendUnits) {
    if (!std::isfinite(value)) return std::string();
    precision = std::clamp(precision, 0, 6);
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", precision, static_cast<double>(value));
    std::string s = buf;
    if (s == "-0" || (s.rfind("-0.", 0) == 0 && s.find_first_not_of("-0.") == std::string::npos)) s.erase(0, 1);
    if (appendUnits)
        if (const UnitInfo* u = unitInfo(units)) s += u->label;
    return s;
}

std::optional<float> DialogManager::parseValue(std::string_view text, int32_t units, bool allowUnits) {
    const std::string s(trim(text));
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (end == s.c_str() || !std::isfinite(v)) return std::nullopt;
    const std::string_view rest = trim(std::string_view(end));
    if (rest.empty()) return static_cast<float>(v);
    // A unit word: the item's own always; another length unit only when units are allowed.
    for (const auto& w : kUnitWords) {
        if (rest != w.word) continue;
        if (w.units == units || units == kADMNoUnits) return static_cast<float>(v);
        const UnitInfo* from = unitInfo(w.units);
        const UnitInfo* to = unitInfo(units);
        if (!allowUnits || !from || !to || from->points == 0 || to->points == 0) return std::nullopt;
        return static_cast<float>(v * from->points / to->points);
    }
    return std::nullopt;
}

}  // namespace standin

// The ADM suite tables handed to the plug-in. Each function finds the active dialog
// manager and the object behind its handle; a stale or null handle gives an error code,
// a null or zero result, never a crash.
#include <cmath>
#include <cstring>

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMDialogGroup.h"
#include "ADMDrawer.h"
#include "ADMEntry.h"
#include "ADMItem.h"
#include "ADMList.h"
#include "ADMNotifier.h"
#include "ADMTracker.h"
#include "adm/ActiveStack.h"
#include "adm/DialogManager.h"
#include "text/Encoding.h"

namespace standin {
namespace {

adm::ActiveStack<DialogManager> gActive;

template <typename Ref>
Ref toRef(uintptr_t h) {
    return reinterpret_cast<Ref>(h);
}

adm::Dialog* D(ADMDialogRef r) { return gActive.current() ? gActive.current()->dialog(r) : nullptr; }
adm::Item* I(ADMItemRef r) { return gActive.current() ? gActive.current()->item(r) : nullptr; }
adm::List* L(ADMListRef r) { return gActive.current() ? gActive.current()->list(r) : nullptr; }
adm::Entry* E(ADMEntryRef r) { return gActive.current() ? gActive.current()->entry(r) : nullptr; }
adm::Notifier* N(ADMNotifierRef r) { return gActive.current() ? gActive.current()->notifier(r) : nullptr; }
adm::Tracker* T(ADMTrackerRef r) { return gActive.current() ? gActive.current()->tracker(r) : nullptr; }
adm::Drawer* W(ADMDrawerRef r) { return gActive.current() ? gActive.current()->drawer(r) : nullptr; }

// Runs f on the object when the handle is good; kStaleHandleErr otherwise.
template <typename Obj, typename F>
ASErr with(Obj* obj, F f) {
    if (!obj) return kStaleHandleErr;
    f(*obj);
    return kNoErr;
}

ASErr getRect(const ADMRect& from, ADMRect* to) {
    if (!to) return kBadParameterErr;
    *to = from;
    return kNoErr;
}

void record(adm::Drawer& dr, const char* op, const ADMRect* rect, int32_t id = 0) {
    if (!dr.ops) return;
    DrawOp o;
    o.op = op;
    if (rect) o.rect = *rect;
    o.colorCode = dr.colorCode;
    o.rgb = dr.rgb;
    o.id = id;
    dr.ops->push_back(o);
}

// --- Basic -----------------------------------------------------------------------------------

const ADMBasicSuite kBasic = {
    [](SPPluginRef, int32_t listID, int32_t index, char* buffer, int32_t size) -> ASErr {
        if (!buffer || size <= 0) return kBadParameterErr;
        buffer[0] = '\0';
        if (!gActive.current()) return kOutOfRangeErr;
        auto s = gActive.current()->resources().indexString(listID, index);
        if (!s) return kOutOfRangeErr;
        text::copyBounded(*s, buffer, size);
        return kNoErr;
    },
    [] {
        if (gActive.current()) gActive.current()->beep();
    },
    [](const char* text) {
        if (gActive.current()) gActive.current()->alert(AlertRecord::Kind::Message, text);
    },
    [](const char* text) -> int32_t {
        return gActive.current() ? gActive.current()->alertAnswer(AlertRecord::Kind::YesNo, text) : kADMCancelAnswer;
    },
    [](const char* text) -> int32_t {
        return gActive.current() ? gActive.current()->alertAnswer(AlertRecord::Kind::Question, text) : kADMLeftButton;
    },
    [](const char* left, const char* middle, const char* right) {
        if (gActive.current()) gActive.current()->setAlertButtonText(left, middle, right);
    },
    [](float value, char* text, int32_t maxLength, int32_t units, int32_t precision, ASBoolean append) {
        if (!text || maxLength <= 0) return;
        text::copyBounded(DialogManager::formatValue(value, units, precision, append != 0), text, maxLength);
    },
    [](const char* text, float* value, int32_t units) -> ASBoolean {
        if (!text || !value) return false;
        auto v = DialogManager::parseValue(text, units, true);
        if (!v) return false;
        *value = *v;
        return true;
    },
    [](ADMPoint where, const ADMRGBColor* in, ADMRGBColor* out) -> ASBoolean {
        return gActive.current() && gActive.current()->chooseColor(where, in, out);
    },
    [](SPPluginRef) -> ASErr { return gActive.current() ? gActive.current()->pushAppContext() : kBadParameterErr; },
    []() -> ASErr { return gActive.current() ? gActive.current()->popAppContext() : kBadParameterErr; },
};

// --- Dialog ------------------------------------------------------------------------------------

const ADMDialogSuite kDialog = {
    [](SPPluginRef plugin, const char* name, int32_t id, int32_t style, ADMDialogInitProc init, ADMUserData ud,
       int32_t) -> ADMDialogRef { return gActive.current() ? gActive.current()->create(plugin, name, id, style, init, ud) : nullptr; },
    [](SPPluginRef plugin, const char* name, int32_t id, int32_t style, ADMDialogInitProc init, ADMUserData ud,
       int32_t) -> int32_t { return gActive.current() ? gActive.current()->modal(plugin, name, id, style, init, ud) : -1; },
    [](ADMDialogRef d, int32_t result, ASBoolean) -> ASErr {
        adm::Dialog* dlg = D(d);
        return dlg ? gActive.current()->endModal(*dlg, result) : kStaleHandleErr;
    },
    [](ADMDialogRef d) -> ASErr { return gActive.current() ? gActive.current()->destroy(d) : kStaleHandleErr; },

    [](ADMDialogRef d, int32_t itemID) -> ADMItemRef {
        adm::Dialog* dlg = D(d);
        if (!dlg) return nullptr;
        auto it = dlg->items.find(itemID);
        return it == dlg->items.end() ? nullptr : toRef<ADMItemRef>(it->second);
    },
    [](ADMDialogRef d, const char** name) -> ASErr {
        if (!name) return kBadParameterErr;
        adm::Dialog* dlg = D(d);
        *name = dlg ? dlg->name.c_str() : "";
        return dlg ? kNoErr : kStaleHandleErr;
    },
    [](ADMDialogRef d) -> int32_t {
        adm::Dialog* dlg = D(d);
        return dlg ? dlg->templateID : 0;
    },
    [](ADMDialogRef d) -> SPPluginRef {
        adm::Dialog* dlg = D(d);
        return dlg ? dlg->plugin : nullptr;
    },
    [](ADMDialogRef d) -> ADMUserData {
        adm::Dialog* dlg = D(d);
        return dlg ? dlg->userData : nullptr;
    },
    [](ADMDialogRef d, ADMUserData ud) -> ASErr { return with(D(d), [&](adm::Dialog& x) { x.userData = ud; }); },

    [](ADMDialogRef d, int32_t h, int32_t v) -> ASErr {
        return with(D(d), [&](adm::Dialog& x) {
            x.bounds = {h, v, h + x.bounds.right - x.bounds.left, v + x.bounds.bottom - x.bounds.top};
        });
    },
    [](ADMDialogRef d, int32_t w, int32_t h) -> ASErr {
        return with(D(d), [&](adm::Dialog& x) { gActive.current()->setDialogSize(x, w, h); });
    },
    [](ADMDialogRef d, ADMRect* r) -> ASErr {
        adm::Dialog* x = D(d);
        if (!x) return kStaleHandleErr;
        return getRect({0, 0, x->bounds.right - x->bounds.left, x->bounds.bottom - x->bounds.top}, r);
    },
    [](ADMDialogRef d, const ADMRect* r) -> ASErr {
        if (!r) return kBadParameterErr;
        return with(D(d), [&](adm::Dialog& x) {
            gActive.current()->setDialogSize(x, r->right - r->left, r->bottom - r->top);
        });
    },
    [](ADMDialogRef d, ADMRect* r) -> ASErr {
        adm::Dialog* x = D(d);
        return x ? getRect(x->bounds, r) : kStaleHandleErr;
    },
    [](ADMDialogRef d, const ADMRect* r) -> ASErr {
        if (!r) return kBadParameterErr;
        return with(D(d), [&](adm::Dialog& x) { x.bounds = *r; });
    },

    [](ADMDialogRef d, ASBoolean show) -> ASErr { return with(D(d), [&](adm::Dialog& x) { x.visible = show != 0; }); },
    [](ADMDialogRef d) -> ASBoolean {
        adm::Dialog* x = D(d);
        return x && x->visible;
    },
    [](ADMDialogRef d) -> ASBoolean {
        adm::Dialog* x = D(d);
        return x && x->collapsed;
    },
    [](ADMDialogRef d, int32_t state, ADMIconRef icon) -> ASErr {
        if (state != 0 && state != 1) return kBadParameterErr;
        return with(D(d), [&](adm::Dialog& x) { x.icons[state] = gActive.current()->iconID(icon); });
    },
    [](ADMDialogRef d, int32_t style) -> ASErr { return with(D(d), [&](adm::Dialog& x) { x.style = style; }); },
    [](ADMDialogRef d) -> int32_t {
        adm::Dialog* x = D(d);
        return x ? x->style : 0;
    },

    [](ADMDialogRef d, int32_t id) -> ASErr { return with(D(d), [&](adm::Dialog& x) { x.defaultItem = id; }); },
    [](ADMDialogRef d) -> int32_t {
        adm::Dialog* x = D(d);
        return x ? x->defaultItem : 0;
    },
    [](ADMDialogRef d, int32_t id) -> ASErr { return with(D(d), [&](adm::Dialog& x) { x.cancelItem = id; }); },
    [](ADMDialogRef d) -> int32_t {
        adm::Dialog* x = D(d);
        return x ? x->cancelItem : 0;
    },

    [](ADMDialogRef d, ADMDialogNotifyProc proc) -> ASErr {
        return with(D(d), [&](adm::Dialog& x) { x.notifyProc = proc; });
    },
    [](ADMDialogRef d, ADMNotifierRef) -> ASErr { return D(d) ? kNoErr : kStaleHandleErr; },
    [](ADMDialogRef d) -> ASErr { return with(D(d), [&](adm::Dialog& x) { gActive.current()->updateDialog(x); }); },
    [](ADMDialogRef d) -> ASErr {
        return with(D(d), [&](adm::Dialog& x) {
            for (const auto& [id, h] : x.items)
                if (adm::Item* it = gActive.current()->item(toRef<ADMItemRef>(h))) it->invalid = true;
        });
    },
};

const ADMDialogGroupSuite kDialogGroup = {
    [](ADMDialogRef d, const char* group, ADMPositionCode code) -> ASErr {
        adm::Dialog* x = D(d);
        return x ? gActive.current()->setDialogGroupInfo(*x, group, code) : kStaleHandleErr;
    },
    [](ADMDialogRef d, const char** group, ADMPositionCode* code) -> ASErr {
        adm::Dialog* x = D(d);
        if (group) *group = x ? x->groupName.c_str() : "";
        if (code) *code = x ? x->position : ADMPositionCode{0, 0};
        return x ? kNoErr : kStaleHandleErr;
    },
};

// --- Item ----------------------------------------------------------------------------------------

template <typename R, typename F>
R get(ADMItemRef i, R fallback, F f) {
    adm::Item* it = I(i);
    return it ? f(*it) : fallback;
}

const ADMItemSuite kItem = {
    [](ADMItemRef i) -> ADMDialogRef { return get(i, ADMDialogRef{}, [](adm::Item& x) { return toRef<ADMDialogRef>(x.dialog); }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.id; }); },
    [](ADMItemRef i, char* buf, int32_t size) -> ASErr {
        if (!buf || size <= 0) return kBadParameterErr;
        buf[0] = '\0';
        return with(I(i), [&](adm::Item& x) { text::copyBounded(x.type, buf, size); });
    },
    [](ADMItemRef i, const char* type) -> ASErr {
        if (!type) return kBadParameterErr;
        return with(I(i), [&](adm::Item& x) { gActive.current()->setItemType(x, type); });
    },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.style; }); },
    [](ADMItemRef i, int32_t s) -> ASErr { return with(I(i), [&](adm::Item& x) { x.style = s; }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.font; }); },
    [](ADMItemRef i, int32_t f) -> ASErr { return with(I(i), [&](adm::Item& x) { x.font = f; }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.justify; }); },
    [](ADMItemRef i, int32_t j) -> ASErr { return with(I(i), [&](adm::Item& x) { x.justify = j; }); },

    [](ADMItemRef i, const char* text) -> ASErr {
        return with(I(i), [&](adm::Item& x) { gActive.current()->setText(x, text ? text : ""); });
    },
    [](ADMItemRef i, char* buf, int32_t size) -> ASErr {
        if (!buf || size <= 0) return kBadParameterErr;
        buf[0] = '\0';
        return with(I(i), [&](adm::Item& x) { text::copyBounded(x.text, buf, size); });
    },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return static_cast<int32_t>(x.text.size()); }); },
    [](ADMItemRef i, int32_t n) -> ASErr {
        if (n < 0) return kBadParameterErr;
        return with(I(i), [&](adm::Item& x) {
            x.maxLength = n;
            if (n > 0 && x.text.size() > static_cast<size_t>(n)) x.text.resize(n);
        });
    },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.maxLength; }); },

    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { gActive.current()->setBoolean(x, v != 0); }); },
    [](ADMItemRef i) -> ASBoolean { return get(i, ASBoolean{0}, [](adm::Item& x) { return ASBoolean(x.boolValue); }); },
    [](ADMItemRef i, int32_t v) -> ASErr {
        return with(I(i), [&](adm::Item& x) { gActive.current()->setFloat(x, static_cast<float>(v)); });
    },
    [](ADMItemRef i) -> int32_t {
        return get(i, 0, [](adm::Item& x) { return adm::nearestInt32(gActive.current()->floatValue(x)); });
    },
    [](ADMItemRef i, float v) -> ASErr { return with(I(i), [&](adm::Item& x) { gActive.current()->setFloat(x, v); }); },
    [](ADMItemRef i) -> float { return get(i, 0.0f, [](adm::Item& x) { return gActive.current()->floatValue(x); }); },
    [](ADMItemRef i, int32_t v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.minimum = static_cast<float>(v); }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return adm::nearestInt32(x.minimum); }); },
    [](ADMItemRef i, int32_t v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.maximum = static_cast<float>(v); }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return adm::nearestInt32(x.maximum); }); },
    [](ADMItemRef i, float v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.minimum = v; }); },
    [](ADMItemRef i) -> float { return get(i, 0.0f, [](adm::Item& x) { return x.minimum; }); },
    [](ADMItemRef i, float v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.maximum = v; }); },
    [](ADMItemRef i) -> float { return get(i, 0.0f, [](adm::Item& x) { return x.maximum; }); },
    [](ADMItemRef i, float v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.smallStep = v; }); },
    [](ADMItemRef i, float v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.largeStep = v; }); },
    [](ADMItemRef i, int32_t p) -> ASErr { return with(I(i), [&](adm::Item& x) { x.precision = p; }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.precision; }); },
    [](ADMItemRef i, int32_t u) -> ASErr { return with(I(i), [&](adm::Item& x) { x.units = u; }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.units; }); },
    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.allowUnits = v != 0; }); },
    [](ADMItemRef i) -> ASBoolean { return get(i, ASBoolean{0}, [](adm::Item& x) { return ASBoolean(x.allowUnits); }); },
    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.showUnits = v != 0; }); },
    [](ADMItemRef i) -> ASBoolean { return get(i, ASBoolean{0}, [](adm::Item& x) { return ASBoolean(x.showUnits); }); },
    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.allowMath = v != 0; }); },
    [](ADMItemRef i) -> ASBoolean { return get(i, ASBoolean{0}, [](adm::Item& x) { return ASBoolean(x.allowMath); }); },
    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.known = v != 0; }); },
    [](ADMItemRef i) -> ASBoolean { return get(i, ASBoolean{0}, [](adm::Item& x) { return ASBoolean(x.known); }); },

    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.enabled = v != 0; }); },
    [](ADMItemRef i) -> ASBoolean { return get(i, ASBoolean{0}, [](adm::Item& x) { return ASBoolean(x.enabled); }); },
    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { x.visible = v != 0; }); },
    [](ADMItemRef i) -> ASBoolean { return get(i, ASBoolean{0}, [](adm::Item& x) { return ASBoolean(x.visible); }); },
    [](ADMItemRef i, ASBoolean v) -> ASErr { return with(I(i), [&](adm::Item& x) { gActive.current()->activateItem(x, v != 0); }); },
    [](ADMItemRef i) -> ASBoolean {
        return get(i, ASBoolean{0}, [](adm::Item& x) {
            adm::Dialog* d = gActive.current()->dialogOf(x);
            return ASBoolean(d && d->focusItem == x.id);
        });
    },

    [](ADMItemRef i, int32_t h, int32_t v) -> ASErr {
        return with(I(i), [&](adm::Item& x) {
            x.bounds = {h, v, h + x.bounds.right - x.bounds.left, v + x.bounds.bottom - x.bounds.top};
        });
    },
    [](ADMItemRef i, int32_t w, int32_t h) -> ASErr {
        return with(I(i), [&](adm::Item& x) {
            x.bounds.right = x.bounds.left + w;
            x.bounds.bottom = x.bounds.top + h;
        });
    },
    [](ADMItemRef i, ADMRect* r) -> ASErr {
        adm::Item* x = I(i);
        return x ? getRect(x->bounds, r) : kStaleHandleErr;
    },
    [](ADMItemRef i, const ADMRect* r) -> ASErr {
        if (!r) return kBadParameterErr;
        return with(I(i), [&](adm::Item& x) { x.bounds = *r; });
    },
    [](ADMItemRef i, ADMRect* r) -> ASErr {
        adm::Item* x = I(i);
        if (!x) return kStaleHandleErr;
        return getRect({0, 0, x->bounds.right - x->bounds.left, x->bounds.bottom - x->bounds.top}, r);
    },

    [](ADMItemRef i, int32_t id) -> ASErr { return with(I(i), [&](adm::Item& x) { x.pictureID = id; }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.pictureID; }); },
    [](ADMItemRef i, int32_t id) -> ASErr { return with(I(i), [&](adm::Item& x) { x.selectedPictureID = id; }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.selectedPictureID; }); },
    [](ADMItemRef i, int32_t id) -> ASErr { return with(I(i), [&](adm::Item& x) { x.disabledPictureID = id; }); },
    [](ADMItemRef i) -> int32_t { return get(i, 0, [](adm::Item& x) { return x.disabledPictureID; }); },

    [](ADMItemRef i) -> ADMListRef { return get(i, ADMListRef{}, [](adm::Item& x) { return toRef<ADMListRef>(x.list); }); },

    [](ADMItemRef i, ADMUserData ud) -> ASErr { return with(I(i), [&](adm::Item& x) { x.userData = ud; }); },
    [](ADMItemRef i) -> ADMUserData { return get(i, ADMUserData{}, [](adm::Item& x) { return x.userData; }); },
    [](ADMItemRef i, ADMItemNotifyProc p) -> ASErr { return with(I(i), [&](adm::Item& x) { x.notifyProc = p; }); },
    [](ADMItemRef i, ADMItemTrackProc p) -> ASErr { return with(I(i), [&](adm::Item& x) { x.trackProc = p; }); },
    [](ADMItemRef i, ADMItemDrawProc p) -> ASErr {
        return with(I(i), [&](adm::Item& x) {
            x.drawProc = p;
            x.invalid = true;
        });
    },
    [](ADMItemRef i, ADMNotifierRef) -> ASErr {
        adm::Item* x = I(i);
        return x ? gActive.current()->defaultNotify(*x) : kStaleHandleErr;
    },
    [](ADMItemRef i, ADMTrackerRef t) -> ASBoolean {
        adm::Item* x = I(i);
        adm::Tracker* tr = T(t);
        return x && tr && gActive.current()->defaultTrack(*x, *tr);
    },
    [](ADMItemRef i, const char* type) -> ASErr {
        return with(I(i), [&](adm::Item& x) { gActive.current()->notifyItem(x, type ? type : kADMUserChangedNotifier); });
    },
    [](ADMItemRef i) -> ASErr { return with(I(i), [&](adm::Item& x) { x.invalid = true; }); },
    [](ADMItemRef i) -> ASErr { return with(I(i), [&](adm::Item& x) { gActive.current()->update(x); }); },
};

// --- List and entry -----------------------------------------------------------------------------

const ADMListSuite kList = {
    [](ADMListRef l, SPPluginRef, int32_t menuID, const char*) -> ASErr {
        adm::List* x = L(l);
        return x ? gActive.current()->setMenuID(*x, menuID) : kStaleHandleErr;
    },
    [](ADMListRef l) -> int32_t {
        adm::List* x = L(l);
        return x ? x->menuID : 0;
    },
    [](ADMListRef l) -> ADMItemRef {
        adm::List* x = L(l);
        return x ? toRef<ADMItemRef>(x->item) : nullptr;
    },
    [](ADMListRef l, int32_t index) -> ADMEntryRef {
        adm::List* x = L(l);
        adm::Entry* e = x ? gActive.current()->insertEntry(*x, index) : nullptr;
        return e ? toRef<ADMEntryRef>(e->handle) : nullptr;
    },
    [](ADMListRef l, int32_t index) -> ASErr {
        adm::List* x = L(l);
        return x ? gActive.current()->removeEntry(*x, index) : kStaleHandleErr;
    },
    [](ADMListRef l) -> ASErr { return with(L(l), [](adm::List& x) { gActive.current()->removeAllEntries(x); }); },
    [](ADMListRef l) -> int32_t {
        adm::List* x = L(l);
        return x ? static_cast<int32_t>(x->entries.size()) : 0;
    },
    [](ADMListRef l, int32_t index) -> ADMEntryRef {
        adm::List* x = L(l);
        adm::Entry* e = x ? gActive.current()->indexEntry(*x, index) : nullptr;
        return e ? toRef<ADMEntryRef>(e->handle) : nullptr;
    },
    [](ADMListRef l, int32_t id) -> ADMEntryRef {
        adm::List* x = L(l);
        if (!x) return nullptr;
        for (uintptr_t h : x->entries) {
            adm::Entry* e = gActive.current()->entry(toRef<ADMEntryRef>(h));
            if (e && e->id == id) return toRef<ADMEntryRef>(h);
        }
        return nullptr;
    },
    [](ADMListRef l, const char* text) -> ADMEntryRef {
        adm::List* x = L(l);
        if (!x || !text) return nullptr;
        for (uintptr_t h : x->entries) {
            adm::Entry* e = gActive.current()->entry(toRef<ADMEntryRef>(h));
            if (e && e->text == text) return toRef<ADMEntryRef>(h);
        }
        return nullptr;
    },
    [](ADMListRef l) -> ADMEntryRef {
        adm::List* x = L(l);
        return x && x->active ? toRef<ADMEntryRef>(x->active) : nullptr;
    },
    [](ADMListRef l) -> int32_t {
        adm::List* x = L(l);
        int32_t n = 0;
        if (x)
            for (uintptr_t h : x->entries)
                if (adm::Entry* e = gActive.current()->entry(toRef<ADMEntryRef>(h)); e && e->selected) ++n;
        return n;
    },
    [](ADMListRef l, int32_t k) -> ADMEntryRef {
        adm::List* x = L(l);
        if (!x) return nullptr;
        for (uintptr_t h : x->entries)
            if (adm::Entry* e = gActive.current()->entry(toRef<ADMEntryRef>(h)); e && e->selected && k-- == 0)
                return toRef<ADMEntryRef>(h);
        return nullptr;
    },
};

template <typename R, typename F>
R getE(ADMEntryRef e, R fallback, F f) {
    adm::Entry* x = E(e);
    return x ? f(*x) : fallback;
}

const ADMEntrySuite kEntry = {
    [](ADMEntryRef e) -> ADMListRef { return getE(e, ADMListRef{}, [](adm::Entry& x) { return toRef<ADMListRef>(x.list); }); },
    [](ADMEntryRef e) -> int32_t { return getE(e, -1, [](adm::Entry& x) { return gActive.current()->entryIndex(x); }); },
    [](ADMEntryRef e) -> int32_t { return getE(e, 0, [](adm::Entry& x) { return x.id; }); },
    [](ADMEntryRef e, int32_t id) -> ASErr { return with(E(e), [&](adm::Entry& x) { x.id = id; }); },
    [](ADMEntryRef e, char* buf, int32_t size) -> ASErr {
        if (!buf || size <= 0) return kBadParameterErr;
        buf[0] = '\0';
        return with(E(e), [&](adm::Entry& x) { text::copyBounded(x.text, buf, size); });
    },
    [](ADMEntryRef e, const char* text) -> ASErr {
        return with(E(e), [&](adm::Entry& x) { x.text = text ? text : ""; });
    },
    [](ADMEntryRef e, ASBoolean v) -> ASErr {
        return with(E(e), [&](adm::Entry& x) { gActive.current()->activateEntry(x, v != 0); });
    },
    [](ADMEntryRef e) -> ASBoolean {
        return getE(e, ASBoolean{0}, [](adm::Entry& x) {
            adm::List* l = gActive.current()->listOf(x);
            return ASBoolean(l && l->active == x.handle);
        });
    },
    [](ADMEntryRef e, ASBoolean v) -> ASErr {
        return with(E(e), [&](adm::Entry& x) { gActive.current()->selectEntry(x, v != 0); });
    },
    [](ADMEntryRef e) -> ASBoolean { return getE(e, ASBoolean{0}, [](adm::Entry& x) { return ASBoolean(x.selected); }); },
    [](ADMEntryRef e, ASBoolean v) -> ASErr { return with(E(e), [&](adm::Entry& x) { x.checked = v != 0; }); },
    [](ADMEntryRef e) -> ASBoolean { return getE(e, ASBoolean{0}, [](adm::Entry& x) { return ASBoolean(x.checked); }); },
    [](ADMEntryRef e, ASBoolean v) -> ASErr { return with(E(e), [&](adm::Entry& x) { x.enabled = v != 0; }); },
    [](ADMEntryRef e) -> ASBoolean { return getE(e, ASBoolean{0}, [](adm::Entry& x) { return ASBoolean(x.enabled); }); },
    [](ADMEntryRef e, ASBoolean v) -> ASErr { return with(E(e), [&](adm::Entry& x) { x.separator = v != 0; }); },
    [](ADMEntryRef e) -> ASBoolean { return getE(e, ASBoolean{0}, [](adm::Entry& x) { return ASBoolean(x.separator); }); },
    [](ADMEntryRef e, ADMUserData ud) -> ASErr { return with(E(e), [&](adm::Entry& x) { x.userData = ud; }); },
    [](ADMEntryRef e) -> ADMUserData { return getE(e, ADMUserData{}, [](adm::Entry& x) { return x.userData; }); },
};

// --- Notifier, tracker, drawer -----------------------------------------------------------------------

const ADMNotifierSuite kNotifier = {
    [](ADMNotifierRef n, const char* type) -> ASBoolean {
        adm::Notifier* x = N(n);
        return x && type && x->type == type;
    },
    [](ADMNotifierRef n, char* buf, int32_t size) -> ASErr {
        if (!buf || size <= 0) return kBadParameterErr;
        buf[0] = '\0';
        return with(N(n), [&](adm::Notifier& x) { text::copyBounded(x.type, buf, size); });
    },
    [](ADMNotifierRef n) -> ADMItemRef {
        adm::Notifier* x = N(n);
        return x ? toRef<ADMItemRef>(x->item) : nullptr;
    },
    [](ADMNotifierRef n) -> ADMDialogRef {
        adm::Notifier* x = N(n);
        return x ? toRef<ADMDialogRef>(x->dialog) : nullptr;
    },
};

const ADMTrackerSuite kTracker = {
    [](ADMTrackerRef t) -> int32_t {
        adm::Tracker* x = T(t);
        return x ? x->action : kADMNoAction;
    },
    [](ADMTrackerRef t, ADMPoint* p) -> ASErr {
        if (!p) return kBadParameterErr;
        return with(T(t), [&](adm::Tracker& x) { *p = x.point; });
    },
    [](ADMTrackerRef t) -> uint32_t {
        adm::Tracker* x = T(t);
        return x ? x->modifiers : 0;
    },
    [](ADMTrackerRef t) -> int32_t {
        adm::Tracker* x = T(t);
        return x ? x->virtualKey : 0;
    },
    [](ADMTrackerRef t) -> int32_t {
        adm::Tracker* x = T(t);
        return x ? x->character : 0;
    },
};

ASErr drawOp(ADMDrawerRef d, const char* op, const ADMRect* r) {
    if (!r) return kBadParameterErr;
    return with(W(d), [&](adm::Drawer& x) { record(x, op, r); });
}

const ADMDrawerSuite kDrawer = {
    [](ADMDrawerRef d, ADMRect* r) -> ASErr {
        adm::Drawer* x = W(d);
        return x ? getRect(x->bounds, r) : kStaleHandleErr;
    },
    [](ADMDrawerRef d, int32_t c) -> ASErr { return with(W(d), [&](adm::Drawer& x) { x.colorCode = c; }); },
    [](ADMDrawerRef d, const ADMRGBColor* c) -> ASErr {
        if (!c) return kBadParameterErr;
        return with(W(d), [&](adm::Drawer& x) {
            x.colorCode = kADMRGBColorCode;
            x.rgb = *c;
        });
    },
    [](ADMDrawerRef d, const ADMRect* r) -> ASErr { return drawOp(d, "rect", r); },
    [](ADMDrawerRef d, const ADMRect* r) -> ASErr { return drawOp(d, "fill", r); },
    [](ADMDrawerRef d, const ADMRect* r) -> ASErr { return drawOp(d, "sunken", r); },
    [](ADMDrawerRef d, const ADMRect* r) -> ASErr { return drawOp(d, "raised", r); },
    [](ADMDrawerRef d, ADMPoint a, ADMPoint b) -> ASErr {
        const ADMRect r{a.h, a.v, b.h, b.v};
        return with(W(d), [&](adm::Drawer& x) { record(x, "line", &r); });
    },
    [](ADMDrawerRef d, ADMImageRef img, ADMPoint p) -> ASErr {
        adm::Image* im = gActive.current() ? gActive.current()->image(img) : nullptr;
        if (!im) return kStaleHandleErr;
        const ADMRect r{p.h, p.v, p.h + im->width, p.v + im->height};
        return with(W(d), [&](adm::Drawer& x) { record(x, "image", &r, static_cast<int32_t>(im->handle)); });
    },
    [](ADMDrawerRef d, ADMIconRef icon, ADMPoint p) -> ASErr {
        const int32_t id = gActive.current() ? gActive.current()->iconID(icon) : 0;
        if (!id) return kStaleHandleErr;
        const ADMRect r{p.h, p.v, p.h, p.v};
        return with(W(d), [&](adm::Drawer& x) { record(x, "icon", &r, id); });
    },

    [](int32_t w, int32_t h) -> ADMImageRef { return gActive.current() ? gActive.current()->createOffscreen(w, h) : nullptr; },
    [](ADMImageRef img) -> ASErr { return gActive.current() ? gActive.current()->destroyImage(img) : kStaleHandleErr; },
    [](ADMImageRef img) -> ADMDrawerRef {
        adm::Image* im = gActive.current() ? gActive.current()->image(img) : nullptr;
        return im ? gActive.current()->beginDrawer(*im) : nullptr;
    },
    [](ADMImageRef img) -> ASErr {
        adm::Image* im = gActive.current() ? gActive.current()->image(img) : nullptr;
        return im ? gActive.current()->endDrawer(*im) : kStaleHandleErr;
    },
    [](SPPluginRef, int32_t id) -> ADMIconRef { return gActive.current() ? gActive.current()->iconFromResource(id) : nullptr; },
    [](ADMIconRef icon) -> ASErr { return gActive.current() ? gActive.current()->destroyIcon(icon) : kStaleHandleErr; },
};

}  // namespace

void DialogManager::activate() { gActive.push(this); }

void DialogManager::registerSuites(SuiteRegistry& registry) {
    activate();
    registry.add(kADMBasicSuite, kADMBasicSuiteVersion, &kBasic);
    registry.add(kADMDialogSuite, kADMDialogSuiteVersion, &kDialog);
    registry.add(kADMDialogGroupSuite, kADMDialogGroupSuiteVersion, &kDialogGroup);
    registry.add(kADMItemSuite, kADMItemSuiteVersion, &kItem);
    registry.add(kADMListSuite, kADMListSuiteVersion, &kList);
    registry.add(kADMEntrySuite, kADMEntrySuiteVersion, &kEntry);
    registry.add(kADMNotifierSuite, kADMNotifierSuiteVersion, &kNotifier);
    registry.add(kADMTrackerSuite, kADMTrackerSuiteVersion, &kTracker);
    registry.add(kADMDrawerSuite, kADMDrawerSuiteVersion, &kDrawer);
}

// The destructor's hook (DialogManager.cpp): a destroyed manager is never reached through
// the suites.
void detachDialogManager(DialogManager* m) { gActive.remove(m); }

}  // namespace standin

// The headless dialog manager: modal dialogs and floating panels built from dialog
// templates, their items, lists and entries, alerts, the colour chooser and drawing, all
// recorded so tests and session scripts can see what the plug-in showed. A scripted user
// answers modal dialogs from a queue and acts on floating panels; only those user actions
// (and SendNotify) run item notifiers, never the plug-in's own changes.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ADMTypes.h"
#include "SuiteRegistry.h"
#include "adm/Resources.h"

namespace standin {

// One alert the plug-in showed, in order.
struct AlertRecord {
    enum class Kind { Message, YesNo, Question };
    Kind kind = Kind::Message;
    std::string text;                    // platform bytes
    std::array<std::string, 3> buttons;  // left, middle, right ("" when absent)
    int32_t answer = 0;
};

// One action of the scripted user on an item of a dialog.
struct UserAction {
    enum class Kind { SetText, SetValue, Pick, Press };
    Kind kind = Kind::Press;
    int32_t item = 0;
    std::string text;  // SetText, platform bytes
    float value = 0;   // SetValue
    int32_t entry = 0;  // Pick: entry index
    int32_t commitKey = kADMTabKey;  // SetText: the key that ends the typing
    uint32_t modifiers = 0;          // Press: kADMShiftKeyModifier | ...
    ADMPoint point{-1, -1};          // Press: where in the item (negative: its centre)
};

// The answers for one modal dialog: its name (empty: any) and the user's actions.
struct ModalAnswer {
    std::string dialog;
    std::vector<UserAction> actions;
    std::string origin;  // where the scripted user gave it, to report it if no dialog takes it
};

// A scripted answer for the next alert, and where it was given.
struct AlertAnswer {
    int32_t answer = 0;
    std::string origin;
};

// One recorded drawing operation.
struct DrawOp {
    std::string op;  // "rect", "fill", "sunken", "raised", "line", "image", "icon"
    ADMRect rect{0, 0, 0, 0};
    int32_t colorCode = kADMBlackColor;  // kADMRGBColorCode when rgb holds the colour
    ADMRGBColor rgb{0, 0, 0};
    int32_t id = 0;  // image or icon
};

struct ColorChoice {
    ADMPoint where{0, 0};
    ADMRGBColor start{0, 0, 0};
};

namespace adm {

// A real as the nearest whole number a 32-bit integer holds (0 for NaN): an item's value and
// bounds are reals, typed or set far beyond that range (the bounds start at -1e30 and 1e30).
inline int32_t nearestInt32(double v) {
    if (std::isnan(v)) return 0;
    return static_cast<int32_t>(std::clamp(std::round(v), double{INT32_MIN}, double{INT32_MAX}));
}

struct Entry {
    uintptr_t handle = 0;
    uintptr_t list = 0;
    int32_t id = 0;
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool separator = false;
    bool selected = false;
    ADMUserData userData = nullptr;
};

struct List {
    uintptr_t handle = 0;
    uintptr_t item = 0;
    int32_t menuID = 0;
    std::vector<uintptr_t> entries;  // in order
    uintptr_t active = 0;
};

struct Item {
    uintptr_t handle = 0;
    uintptr_t dialog = 0;
    int32_t id = 0;
    std::string type;
    int32_t style = 0;
    int32_t font = kADMDefaultFont;
    int32_t justify = kADMLeftJustify;
    std::string text;
    int32_t maxLength = 0;  // 0: no limit
    bool boolValue = false;
    float value = 0;
    float minimum = -1e30f;
    float maximum = 1e30f;
    float smallStep = 1;
    float largeStep = 10;
    int32_t precision = 0;
    int32_t units = kADMNoUnits;
    bool allowUnits = false;
    bool showUnits = false;
    bool allowMath = false;
    bool known = true;
    bool enabled = true;
    bool visible = true;
    int32_t group = 0;
    ADMRect bounds{0, 0, 0, 0};
    int32_t pictureID = 0;
    int32_t selectedPictureID = 0;
    int32_t disabledPictureID = 0;
    uintptr_t list = 0;  // popups, list boxes, popout menus
    ADMUserData userData = nullptr;
    ADMItemNotifyProc notifyProc = nullptr;
    ADMItemTrackProc trackProc = nullptr;
    ADMItemDrawProc drawProc = nullptr;
    bool invalid = true;
    std::vector<DrawOp> drawing;  // the last drawing
};

struct Dialog {
    uintptr_t handle = 0;
    std::string name;
    int32_t templateID = 0;
    int32_t style = 0;
    SPPluginRef plugin = nullptr;
    ADMUserData userData = nullptr;
    ADMRect bounds{0, 0, 0, 0};  // screen rectangle
    bool visible = true;
    bool collapsed = false;       // a tabbed panel shows only its tab
    int32_t expandedHeight = 0;   // the height it gets back when expanded
    bool modal = false;
    bool closed = false;
    int32_t result = 0;
    int32_t defaultItem = 1;
    int32_t cancelItem = 2;
    int32_t focusItem = 0;
    ADMDialogNotifyProc notifyProc = nullptr;
    std::map<int32_t, uintptr_t> items;  // by item id
    std::string groupName;
    ADMPositionCode position{0, 0};
    std::array<int32_t, 2> icons{0, 0};
};

struct Notifier {
    uintptr_t handle = 0;
    std::string type;
    uintptr_t item = 0;
    uintptr_t dialog = 0;
};

// A user event under way: what DefaultTrack applies.
struct Tracker {
    uintptr_t handle = 0;
    int32_t action = kADMNoAction;
    ADMPoint point{0, 0};
    uint32_t modifiers = 0;
    int32_t virtualKey = 0;
    int32_t character = 0;
    bool applied = false;
    const UserAction* pending = nullptr;
};

struct Drawer {
    uintptr_t handle = 0;
    ADMRect bounds{0, 0, 0, 0};
    std::vector<DrawOp>* ops = nullptr;
    int32_t colorCode = kADMBlackColor;
    ADMRGBColor rgb{0, 0, 0};
};

struct Image {
    uintptr_t handle = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<DrawOp> ops;
    uintptr_t drawer = 0;
};

}  // namespace adm

class DialogManager {
public:
    explicit DialogManager(Resources& resources);
    ~DialogManager();
    DialogManager(const DialogManager&) = delete;
    DialogManager& operator=(const DialogManager&) = delete;

    // Publishes the ADM suites and makes this manager the one they talk to.
    void registerSuites(SuiteRegistry& registry);
    // Makes this manager the one the suites talk to (registerSuites does it too).
    void activate();
    // Destroys every panel (the host's quit).
    void shutdown();

    Resources& resources() { return resources_; }

    // --- The scripted user -------------------------------------------------------------
    // Answers for the next modal dialogs. A dialog that opens takes the first queued set
    // with its name (or with no name); a nested dialog takes its own set, so its parent's
    // set can hold the actions both before and after it.
    void queueModalAnswer(ModalAnswer answer) { modalAnswers_.push_back(std::move(answer)); }
    // Adds one action to the last queued set of that dialog, or queues a new set (the
    // script's "answer" lines).
    void appendModalAction(const std::string& dialog, const UserAction& action);
    size_t pendingModalAnswers() const { return modalAnswers_.size(); }
    const std::deque<ModalAnswer>& modalAnswers() const { return modalAnswers_; }
    // Answers for the next alerts; without one the first button answers.
    void queueAlertAnswer(int32_t answer, std::string origin = {}) {
        alertAnswers_.push_back({answer, std::move(origin)});
    }
    const std::deque<AlertAnswer>& alertAnswers() const { return alertAnswers_; }
    const std::vector<AlertRecord>& alerts() const { return alerts_; }
    // The colour chooser's next answers: a colour, or nothing for cancel (the default).
    void queueColorAnswer(std::optional<ADMRGBColor> answer) { colorAnswers_.push_back(answer); }
    const std::vector<ColorChoice>& colorChoices() const { return colorChoices_; }

    // What went wrong while playing the script (no answer for a dialog, a dialog left open,
    // an action on a missing or disabled item ...), in order.
    const std::vector<std::string>& failures() const { return failures_; }
    void clearFailures() { failures_.clear(); }

    // User actions on an open dialog (a floating panel, or the modal one from its notifiers).
    AIErr userAction(ADMDialogRef dialog, const UserAction& action);
    // The same on the newest open dialog of that name (the script's "panel" command); a
    // missing panel is a failure.
    AIErr panelAction(const std::string& dialogName, const UserAction& action);
    // Intermediate notifications for all values but the last, then a user change.
    AIErr userDragSlider(ADMDialogRef dialog, int32_t itemID, const std::vector<float>& values);
    // The user resizes a panel (its dialog notifier hears a user change), drags it to a new
    // place on the screen, or collapses it to its tab and expands it again.
    AIErr userResize(ADMDialogRef dialog, int32_t width, int32_t height);
    AIErr userMove(ADMDialogRef dialog, int32_t h, int32_t v);
    AIErr userCollapse(ADMDialogRef dialog, bool collapsed);

    // --- Inspection ----------------------------------------------------------------------
    ADMDialogRef findDialog(const std::string& name) const;  // the newest open one
    std::vector<ADMDialogRef> openDialogs() const;
    // One line per item: id, type, text (platform bytes), value, flags and list entries.
    std::string describe(ADMDialogRef dialog);
    // What the user reads in an item: its text (a list box's active row, a popup's active
    // entry), its value (a check box or radio 1 or 0, a popup's or list's active index, -1
    // for none), whether it is enabled and whether it shows a known value. Nothing when
    // the dialog or the item does not exist.
    struct ItemView {
        std::string text;
        float value = 0;
        bool enabled = true;
        bool known = true;
    };
    std::optional<ItemView> view(ADMDialogRef dialog, int32_t itemID);
    int beeps() const { return beeps_; }
    int appContextDepth() const { return appContextDepth_; }
    int appContextPushes() const { return appContextPushes_; }
    int updates() const { return updates_; }
    int modalDepth() const { return modalDepth_; }
    const std::vector<DrawOp>& drawing(ADMItemRef item) const;
    const std::vector<DrawOp>* imageOps(ADMImageRef image) const;

    // --- Knobs ---------------------------------------------------------------------------
    void setRefuseDialogGroups(bool refuse) { refuseGroups_ = refuse; }
    void setFailOffscreen(bool fail) { failOffscreen_ = fail; }
    void setFailCreate(bool fail) { failCreate_ = fail; }
    // The dock group and position the host reports for a panel (as if the user docked it).
    AIErr setGroupInfo(ADMDialogRef dialog, const std::string& group, ADMPositionCode code);

    // --- The suites' work (AdmSuites.cpp calls these) -------------------------------------
    adm::Dialog* dialog(ADMDialogRef ref);
    adm::Item* item(ADMItemRef ref);
    adm::List* list(ADMListRef ref);
    adm::Entry* entry(ADMEntryRef ref);
    adm::Notifier* notifier(ADMNotifierRef ref);
    adm::Tracker* tracker(ADMTrackerRef ref);
    adm::Drawer* drawer(ADMDrawerRef ref);
    adm::Image* image(ADMImageRef ref);
    adm::Dialog* dialogOf(const adm::Item& it);
    adm::Item* itemOf(const adm::List& l);
    adm::List* listOf(const adm::Entry& e);
    int32_t entryIndex(const adm::Entry& e);

    ADMDialogRef create(SPPluginRef plugin, const char* name, int32_t dialogID, int32_t style,
                        ADMDialogInitProc initProc, ADMUserData userData);
    int32_t modal(SPPluginRef plugin, const char* name, int32_t dialogID, int32_t style,
                  ADMDialogInitProc initProc, ADMUserData userData);
    AIErr endModal(adm::Dialog& d, int32_t result);
    AIErr destroy(ADMDialogRef ref);
    AIErr setDialogGroupInfo(adm::Dialog& d, const char* group, ADMPositionCode code);
    // A new size of the dialog's rectangle. A tabbed panel sized to no height is collapsed to
    // its tab, and any other height expands it again.
    void setDialogSize(adm::Dialog& d, int32_t width, int32_t height);

    AIErr setText(adm::Item& it, std::string_view text);
    void setBoolean(adm::Item& it, bool value);
    void setFloat(adm::Item& it, float value);
    float floatValue(const adm::Item& it);
    void setItemType(adm::Item& it, const std::string& type);
    void activateItem(adm::Item& it, bool activate);
    void invalidate(adm::Item& it) { it.invalid = true; }
    void update(adm::Item& it);
    void updateDialog(adm::Dialog& d);
    AIErr defaultNotify(adm::Item& it);
    bool defaultTrack(adm::Item& it, adm::Tracker& t);
    void notifyItem(adm::Item& it, const char* type);
    void notifyDialog(adm::Dialog& d, const char* type);

    AIErr setMenuID(adm::List& l, int32_t menuID);
    adm::Entry* insertEntry(adm::List& l, int32_t index);
    AIErr removeEntry(adm::List& l, int32_t index);
    void removeAllEntries(adm::List& l);
    adm::Entry* indexEntry(adm::List& l, int32_t index);
    void activateEntry(adm::Entry& e, bool activate);
    void selectEntry(adm::Entry& e, bool select);
    bool multiSelect(const adm::List& l);

    void alert(AlertRecord::Kind kind, const char* text);
    int32_t alertAnswer(AlertRecord::Kind kind, const char* text);
    void setAlertButtonText(const char* left, const char* middle, const char* right);
    void beep() { ++beeps_; }
    bool chooseColor(ADMPoint where, const ADMRGBColor* in, ADMRGBColor* out);
    AIErr pushAppContext();
    AIErr popAppContext();

    ADMImageRef createOffscreen(int32_t width, int32_t height);
    AIErr destroyImage(ADMImageRef ref);
    ADMDrawerRef beginDrawer(adm::Image& img);
    AIErr endDrawer(adm::Image& img);
    ADMIconRef iconFromResource(int32_t iconID);
    int32_t iconID(ADMIconRef icon) const;
    AIErr destroyIcon(ADMIconRef icon);

    // Value <-> text in host units (the basic suite's ValueToString and StringToValue).
    static std::string formatValue(float value, int32_t units, int32_t precision, bool appendUnits);
    static std::optional<float> parseValue(std::string_view text, int32_t units, bool allowUnits);

private:
    uintptr_t newHandle() { return nextHandle_ += 16; }
    uintptr_t makeDialog(const DialogTemplate* tpl, SPPluginRef plugin, const char* name, int32_t dialogID,
                         int32_t style, ADMUserData userData);
    uintptr_t makeItem(adm::Dialog& d, const ItemTemplate& t);
    uintptr_t makeList(adm::Item& it);
    void eraseDialog(uintptr_t handle);
    void eraseList(uintptr_t handle);
    adm::Item* itemOfDialog(adm::Dialog& d, int32_t itemID);
    void applyAction(adm::Item& it, const UserAction& a);
    bool trackAndApply(adm::Item& it, const UserAction& a, int32_t action, int32_t key, uint32_t modifiers);
    void clampAndFormat(adm::Item& it, float value);
    bool isNumeric(const adm::Item& it) const;
    void fail(std::string message) { failures_.push_back(std::move(message)); }

    Resources& resources_;
    uintptr_t nextHandle_ = 0x10000;
    std::map<uintptr_t, std::unique_ptr<adm::Dialog>> dialogs_;
    std::map<uintptr_t, std::unique_ptr<adm::Item>> items_;
    std::map<uintptr_t, std::unique_ptr<adm::List>> lists_;
    std::map<uintptr_t, std::unique_ptr<adm::Entry>> entries_;
    std::map<uintptr_t, adm::Notifier*> notifiers_;  // live only during a callback
    std::map<uintptr_t, adm::Tracker*> trackers_;
    std::map<uintptr_t, adm::Drawer*> drawers_;
    std::map<uintptr_t, std::unique_ptr<adm::Image>> images_;
    std::map<uintptr_t, std::unique_ptr<adm::Drawer>> imageDrawers_;
    std::map<uintptr_t, int32_t> icons_;

    std::deque<ModalAnswer> modalAnswers_;
    std::deque<AlertAnswer> alertAnswers_;
    std::deque<std::optional<ADMRGBColor>> colorAnswers_;
    std::vector<AlertRecord> alerts_;
    std::array<std::string, 3> alertButtons_;
    bool alertButtonsSet_ = false;
    std::vector<ColorChoice> colorChoices_;
    std::vector<std::string> failures_;
    int beeps_ = 0;
    int appContextDepth_ = 0;
    int appContextPushes_ = 0;
    int updates_ = 0;
    int modalDepth_ = 0;
    bool refuseGroups_ = false;
    bool failOffscreen_ = false;
    bool failCreate_ = false;
};

}  // namespace standin

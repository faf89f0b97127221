// Layer and document scales: the scale triple in the layer groups' dictionaries, read with
// inheritance and a stored default, written over whole layer trees.
#include "units/LayerScales.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "core/PreferenceDomains.h"
#include "core/UndoSteps.h"
#include "units/ScaleTable.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

struct Scale {
    int32_t id = kOneToOneScaleID;
    AIReal scaler = 1.0f;
    char label[kScaleLabelSize] = {};
};

Scale OneToOne() {
    Scale s;
    getScaleTableLabel(kOneToOneScaleID, s.label, sizeof s.label);
    return s;
}

// What a drawing, or in layer-based style a layer tree, that stores no scale reads: the scale
// a new drawing starts at, in either style.
Scale NewDrawingScale() {
    const auto& start = g->newDrawingScale;
    if (!std::isfinite(start.scaler) || !(start.scaler > 0) || !start.label[0]) return OneToOne();
    Scale s;
    s.id = start.id;
    s.scaler = start.scaler;
    CopyCString(s.label, start.label);
    return s;
}

Scale CurrentScale() {
    Scale s;
    s.id = g->prefs.scale;
    s.scaler = g->prefs.scaler;
    CopyCString(s.label, g->prefs.scaleStr);
    return s;
}

void Hand(const Scale& s, int32_t* id, AIReal* scaler, char* label) {
    *id = s.id;
    *scaler = s.scaler;
    CopyCString(label, kScaleLabelSize, s.label);
}

// The layer's dictionary; a read leaves a layer without one as it is (an empty `dict`).
AIErr LayerDictionary(AILayerHandle layer, DictRef& dict, bool forWriting = true) {
    AIArtHandle group = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &group)) return err;
    if (!forWriting && !sAIArt->HasDictionary(group)) return kNoErr;
    return sAIArt->GetDictionary(group, dict.put());
}

// What of a stored scale could be read: each entry counts only when it is of its type, a
// scaler only when it is one a scale may have (every formatted length is multiplied by it,
// and one past a custom scale's limits leaves no length that can be shown), a label only
// when it holds text.
struct StoredEntries {
    bool id = false, scaler = false, label = false;
    Scale s;
};

AIErr ReadEntries(AIDictionaryRef dict, StoredEntries* e) {
    auto usable = [](AIErr err, bool* read) {
        *read = err == kNoErr;
        return err == kWrongTypeErr || err == kNoSuchKey ? kNoErr : err;
    };
    const char* text = nullptr;
    if (AIErr err = usable(sAIDictionary->GetIntegerEntry(dict, sAIDictionary->Key(kLayerScaleIDKey), &e->s.id), &e->id))
        return err;
    if (AIErr err = usable(sAIDictionary->GetRealEntry(dict, sAIDictionary->Key(kLayerScalerKey), &e->s.scaler),
                           &e->scaler))
        return err;
    if (AIErr err = usable(sAIDictionary->GetStringEntry(dict, sAIDictionary->Key(kLayerScaleStrKey), &text), &e->label))
        return err;
    // An id past the table names no scale. (A separator's is kept: upgraded drawings hold it.)
    ScaleTableEntry entry;
    e->id = e->id && getScaleTableEntry(e->s.id, &entry);
    e->scaler = e->scaler && InPreferenceDomain(kScalerDomain, e->s.scaler);
    e->label = e->label && text && text[0];
    if (e->label) CopyCString(e->s.label, text);
    return kNoErr;
}

// The scale the table gives an id: a fixed scale, or a custom slot in use.
bool TableScale(int32_t id, Scale* out) {
    ScaleTableEntry entry;
    if (!getScaleTableEntry(id, &entry) || entry.kind == ScaleTableEntry::Kind::separator) return false;
    Scale s;
    s.id = id;
    s.scaler = 0;
    getScaleDataFromScaleID(id, &s.scaler, s.label);
    if (!(s.scaler > 0)) return false;
    *out = s;
    return true;
}

bool SameLabel(const char* a, const char* b) { return std::strncmp(a, b, kScaleLabelSize) == 0; }

// Completes a stored scale from what is left of it: an unreadable id from the table scale
// whose label it carries (or, with no label, the fixed scale of its scaler), a missing
// scaler from a fixed id (a custom slot's only when the label says it is that slot's scale),
// a missing label from the table's or slot's label of a scale with that scaler, else the
// ratio of the scaler. False when no usable scale is left.
bool Complete(StoredEntries& e) {
    Scale table;
    ScaleTableEntry entry;
    // By its scaler only among the fixed scales: a custom slot may hold another scale in
    // this run.
    for (int32_t id = 0; !e.id && (e.label || e.scaler) && id < kScaleCount; ++id) {
        if (!TableScale(id, &table)) continue;
        e.id = e.label ? SameLabel(table.label, e.s.label)
                       : getScaleTableEntry(id, &entry) && entry.kind != ScaleTableEntry::Kind::custom &&
                             table.scaler == e.s.scaler;
        if (e.id) e.s.id = id;
    }
    if (!e.id) return false;
    const bool inTable = TableScale(e.s.id, &table);
    const bool custom = getScaleTableEntry(e.s.id, &entry) && entry.kind == ScaleTableEntry::Kind::custom;
    if (!e.scaler) {
        if (!inTable || (custom && !(e.label && SameLabel(table.label, e.s.label)))) return false;
        e.s.scaler = table.scaler;
    }
    if (!e.label) {
        if (inTable && table.scaler == e.s.scaler)
            CopyCString(e.s.label, table.label);
        else
            formatScaleRatio(e.s.scaler, e.s.label, sizeof e.s.label);
    }
    return true;
}

// A fixed scale's stored id, scaler and label that disagree (*read the table's scale of the id
// when they agree). Two that agree are the layer's scale: a scaler and label that agree with
// each other are what its art was drawn and labelled at, whatever id (whose table scaler every
// redraw takes) it stores; an id that agrees with either gives the table's scale. With none
// agreeing, the id stands, as a redraw reads it.
bool Disagree(const StoredEntries& e, Scale* read) {
    ScaleTableEntry entry;
    Scale table;
    if (!getScaleTableEntry(e.s.id, &entry) || entry.kind != ScaleTableEntry::Kind::fixed || !TableScale(e.s.id, &table))
        return false;
    *read = table;
    const bool scaler = table.scaler == e.s.scaler, label = SameLabel(table.label, e.s.label);
    if (scaler && label) return false;
    StoredEntries byLabel = e;
    byLabel.id = false;
    if (!scaler && !label && Complete(byLabel) && TableScale(byLabel.s.id, &table) && table.scaler == e.s.scaler)
        *read = table;
    return true;
}

std::string LayerName(AILayerHandle layer) {
    char title[256] = {};
    sAILayer->GetLayerTitle(layer, title, sizeof title);
    return std::string("the scale of layer \"") + title + "\"";
}

// The layer's own scale; `found` is false when it has none. What is missing of a stored
// scale is rebuilt from what is there; only a scale of which nothing usable is left counts
// as none. With `mend`, a rebuilt scale is stored on the layer and named to the user, and so
// is one that is no usable scale, since the default is then written over it.
AIErr ReadStoredScale(AILayerHandle layer, bool* found, Scale* out, bool mend = true) {
    *found = false;
    DictRef dict;
    if (AIErr err = LayerDictionary(layer, dict, false)) return err;
    // Any of the three entries makes a stored scale, damaged when some are missing: a scaler
    // and label that lost their id are still the scale the layer was drawn at.
    if (!dict) return kNoErr;
    const auto known = [&](const char* key) { return sAIDictionary->IsKnown(dict.get(), sAIDictionary->Key(key)); };
    if (!known(kLayerScaleIDKey) && !known(kLayerScalerKey) && !known(kLayerScaleStrKey)) return kNoErr;
    StoredEntries e;
    if (AIErr err = ReadEntries(dict.get(), &e)) return err;
    const bool whole = e.id && e.scaler && e.label;
    const bool usable = whole || Complete(e);
    Scale agreed;
    const bool disagree = whole && Disagree(e, &agreed);
    if (usable) {
        *out = disagree ? agreed : e.s;
        *found = true;
    }
    if (mend && disagree) {
        char stored[96];
        std::snprintf(stored, sizeof stored, " (id %d, scaler %.7g, label \"%s\"): ", static_cast<int>(e.s.id),
                      static_cast<double>(e.s.scaler), e.s.label);
        NoteForUser(kDisagreeingValuesNote, LayerName(layer) + stored + agreed.label);
        dict.reset();
        return setSingleLayerScale(layer, agreed.id, agreed.scaler, agreed.label);
    }
    if (!mend || whole) return kNoErr;
    if (!usable) {
        NoteForUser(kDefaultedValuesNote, LayerName(layer));
        return kNoErr;
    }
    dict.reset();
    NoteForUser(kCompletedValuesNote, LayerName(layer) + ": " + e.s.label);
    return setSingleLayerScale(layer, e.s.id, e.s.scaler, e.s.label);
}

bool SameScale(const Scale& a, const Scale& b) {
    return a.id == b.id && a.scaler == b.scaler && SameLabel(a.label, b.label);
}

// How a scale goes to a layer and the layers inside it. A layer follows when it stores no
// scale, or the scale `was` (what the layer the write began at read before); one keeping a
// scale of its own keeps it, and so do the layers inside it, which read it. A pick (`pick`)
// writes every layer that follows, a read only those that store none; in document-based
// style a pick goes to every layer, since every ordinary layer carries the document's scale.
struct TreeWrite {
    Scale s, was;
    bool pick = false, everyLayer = false;
    bool wrote = false;
};

AIErr WriteFollowing(AILayerHandle layer, TreeWrite& w, bool first) {
    bool stored = false;
    Scale own;
    if (AIErr err = ReadStoredScale(layer, &stored, &own, /*mend=*/false)) return err;
    const bool overwrite = w.pick && (first || w.everyLayer);
    if (stored && !overwrite && !SameScale(own, w.was)) return kNoErr;
    if (!stored || w.pick) {
        if (AIErr err = setSingleLayerScale(layer, w.s.id, w.s.scaler, w.s.label)) return err;
        w.wrote = true;
    }
    for (AILayerHandle child = nullptr;;) {
        if (AIErr err = child ? sAILayer->GetNextLayer(child, &child) : sAILayer->GetLayerFirstChild(layer, &child))
            return err;
        if (!child) return kNoErr;
        if (AIErr err = WriteFollowing(child, w, false)) return err;
    }
}

void MakeCurrentScale(const Scale& s) {
    g->prefs.scale = s.id;
    g->prefs.scaler = s.scaler;
    CopyCString(g->prefs.scaleStr, s.label);
}

AIErr DocumentScale(Scale* s, bool* stored);

// The layer whose stored scale `layer` reads: itself, else its nearest parent that stores
// one (into *s); null when none of them does.
AIErr ScaleHolder(AILayerHandle layer, AILayerHandle* holder, Scale* s, bool mend) {
    *holder = nullptr;
    for (AILayerHandle at = layer; at;) {
        bool found = false;
        if (AIErr err = ReadStoredScale(at, &found, s, mend)) return err;
        if (found) {
            *holder = at;
            return kNoErr;
        }
        if (AIErr err = sAILayer->GetLayerParent(at, &at)) return err;
    }
    return kNoErr;
}

// The layer's scale as every reader takes it: its own, else its nearest parent's, else the
// default; *stored tells whether it was its own, *inherited (when asked) whether it was its
// own or a parent's.
AIErr ReadLayerScale(AILayerHandle layer, Scale* s, bool* stored, bool mend = true, bool* inherited = nullptr) {
    AILayerHandle holder = nullptr;
    if (AIErr err = ScaleHolder(layer, &holder, s, mend)) return err;
    *stored = holder && holder == layer;
    if (inherited) *inherited = holder != nullptr;
    if (holder) return kNoErr;
    // A special layer stores 1:1 whatever it is given, so that is also what it answers. A
    // layer-based tree that stores none reads where a new drawing starts, as a document-based
    // drawing that stores none does.
    if (IsSpecialScaleLayer(layer)) {
        *s = OneToOne();
        return kNoErr;
    }
    if (DocumentScaleStyle() == kLayerBasedScaleStyle) {
        *s = NewDrawingScale();
        return kNoErr;
    }
    bool ofDocument = false;
    return DocumentScale(s, &ofDocument);
}

}  // namespace

bool IsSpecialScaleLayer(AILayerHandle layer) {
    return layer && g && (layer == g->dimensionLayer || layer == g->gridsLayer || layer == g->rulerLayer);
}

namespace {
// The last ordinary layer, whose scale is the document's in document-based style; null
// when there is none.
AIErr LastOrdinaryLayer(AILayerHandle* found) {
    *found = nullptr;
    ai_int32 count = 0;
    if (AIErr err = sAILayer->CountLayers(&count)) return err;
    for (ai_int32 i = count - 1; i >= 0; --i) {
        AILayerHandle layer = nullptr;
        if (AIErr err = sAILayer->GetNthLayer(i, &layer)) return err;
        if (!IsSpecialScaleLayer(layer)) {
            *found = layer;
            return kNoErr;
        }
    }
    return kNoErr;
}

// The document's scale in document-based style: the one its ordinary layers store (the last
// that holds one), else, as with no drawing open, the scale a new drawing starts at, never
// another drawing's.
AIErr DocumentScale(Scale* s, bool* stored) {
    *stored = false;
    ai_int32 count = 0;
    if (AIErr err = sAILayer->CountLayers(&count); err && err != kNoDocumentErr) return err;
    for (ai_int32 i = count - 1; i >= 0 && !*stored; --i) {
        AILayerHandle layer = nullptr;
        if (AIErr err = sAILayer->GetNthLayer(i, &layer)) return err;
        if (!IsSpecialScaleLayer(layer))
            if (AIErr err = ReadStoredScale(layer, stored, s, /*mend=*/false)) return err;
    }
    if (!*stored) *s = NewDrawingScale();
    return kNoErr;
}

// The scale stored on every layer of the ordinary layer trees that stores none and reads no
// scale stored above it; *wrote tells whether any did.
AIErr StoreOnLayersWithout(const Scale& s, bool* wrote) {
    TreeWrite w{.s = s, .was = s};
    const AIErr err = ForEachLayer([&](AILayerHandle top) -> AIErr {
        return IsSpecialScaleLayer(top) ? kNoErr : WriteFollowing(top, w, true);
    });
    *wrote = *wrote || w.wrote;
    return err;
}

// A scale read for a layer that stores none, stored on the layers that read it and store none:
// those of the tree of the layer it was read from (of the top-level layer, when it was the
// default). A layer holding a scale keeps it. In document-based style a default read is the
// document's scale, which every ordinary layer carries, so every layer tree that holds none
// takes it too.
AIErr StoreScale(AILayerHandle layer, const Scale& s) {
    AILayerHandle holder = nullptr;
    Scale held;
    if (AIErr err = ScaleHolder(layer, &holder, &held, /*mend=*/false)) return err;
    const bool byDefault = !holder;
    if (byDefault)
        if (AIErr err = TopLevelLayerOf(layer, &holder)) return err;
    TreeWrite w{.s = s, .was = s};
    if (AIErr err = WriteFollowing(holder, w, true)) return err;
    if (!byDefault || IsSpecialScaleLayer(layer) || DocumentScaleStyle() != kDocumentBasedScaleStyle) return kNoErr;
    bool wrote = false;
    return StoreOnLayersWithout(s, &wrote);
}

// A scale read for the command in hand from a layer that holds none, kept to be stored
// there once the command is done. A redraw's reads are no command's: an update with
// nothing edited stores nothing.
void NoteScaleRead(AILayerHandle layer, const Scale& s) {
    if (!g->keepingScalesRead || g->updatingDimensions || IsSpecialScaleLayer(layer)) return;
    auto& reads = g->scalesRead;
    if (std::any_of(reads.begin(), reads.end(), [layer](const auto& r) { return r.layer == layer; })) return;
    auto& r = reads.emplace_back();
    r.layer = layer;
    r.id = s.id;
    r.scaler = s.scaler;
    CopyCString(r.label, s.label);
}

// The layer's scale as a read answers it, mended where damaged; stored in it when it had
// none and `store` asks for that.
AIErr ReadZA3LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label, bool store) {
    if (!g || !id || !scaler || !label) return kBadParameterErr;
    Scale s;
    bool stored = false;
    if (AIErr err = ReadLayerScale(layer, &s, &stored)) return err;
    Hand(s, id, scaler, label);
    return stored || !store ? kNoErr : StoreScale(layer, s);
}

}  // namespace

AIErr GetZA3LayerScaleAndSetIfNotThere(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label) {
    return ReadZA3LayerScale(layer, id, scaler, label, true);
}

AIErr ReadZA3LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label) {
    return ReadZA3LayerScale(layer, id, scaler, label, false);
}

AIErr PeekZA3LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label, bool* own) {
    if (!g || !id || !scaler || !label) return kBadParameterErr;
    Scale s;
    bool stored = false;
    if (AIErr err = ReadLayerScale(layer, &s, &stored, /*mend=*/false, own)) return err;
    Hand(s, id, scaler, label);
    return kNoErr;
}

AIErr PeekZA3ObjectScale(AIArtHandle art, int32_t* id, AIReal* scaler, char* label) {
    if (!g || !id) return kBadParameterErr;
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
    Scale s;
    if (AIErr err = PeekZA3LayerScale(layer, &s.id, &s.scaler, s.label)) return err;
    Hand(s, id, scaler ? scaler : &s.scaler, label ? label : s.label);
    return kNoErr;
}

AIErr setLayerScale(AILayerHandle layer, int32_t id, AIReal scaler, const char* label) {
    AILayerHandle top = nullptr;
    if (AIErr err = TopLevelLayerOf(layer, &top)) return err;
    return SetLayerScaleFrom(top, id, scaler, label);
}

AIErr SetLayerScaleFrom(AILayerHandle layer, int32_t id, AIReal scaler, const char* label) {
    if (!g || !label) return kBadParameterErr;
    TreeWrite w{.pick = true, .everyLayer = DocumentScaleStyle() == kDocumentBasedScaleStyle};
    w.s.id = id;
    w.s.scaler = scaler;
    CopyCString(w.s.label, label);
    bool stored = false;
    if (AIErr err = ReadLayerScale(layer, &w.was, &stored, /*mend=*/false)) return err;
    if (AIErr err = WriteFollowing(layer, w, true)) return err;
    NotifyPlotwiseAPI();
    return kNoErr;
}

AIErr SetSublayerScale(AILayerHandle layer, int32_t id, AIReal scaler, const char* label) {
    for (; layer;) {
        if (AIErr err = setSingleLayerScale(layer, id, scaler, label)) return err;
        AILayerHandle child = nullptr;
        if (AIErr err = sAILayer->GetLayerFirstChild(layer, &child)) return err;
        if (child)
            if (AIErr err = SetSublayerScale(child, id, scaler, label)) return err;
        if (AIErr err = sAILayer->GetNextLayer(layer, &layer)) return err;
    }
    return kNoErr;
}

AIErr setSingleLayerScale(AILayerHandle layer, int32_t id, AIReal scaler, const char* label) {
    Scale s;
    if (IsSpecialScaleLayer(layer)) {
        s = OneToOne();
    } else {
        s.id = id;
        s.scaler = scaler;
        CopyCString(s.label, label);
    }
    DictRef dict;
    if (AIErr err = LayerDictionary(layer, dict)) return err;
    if (AIErr err = sAIDictionary->SetIntegerEntry(dict.get(), sAIDictionary->Key(kLayerScaleIDKey), s.id)) return err;
    if (AIErr err = sAIDictionary->SetRealEntry(dict.get(), sAIDictionary->Key(kLayerScalerKey), s.scaler)) return err;
    return sAIDictionary->SetStringEntry(dict.get(), sAIDictionary->Key(kLayerScaleStrKey), s.label);
}

// The layer's scale into the current scale; a failed read leaves the current scale as it
// was. Only drawing loads it: a measurement holds the scale it reads apart (PeekZA3LayerScale).
AIErr SetScaleByLayerPrefsFromLayer(AILayerHandle layer) {
    if (!g) return kBadParameterErr;
    AIArtHandle group = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &group)) return err;
    Scale s;
    if (GetZA3LayerScaleAndSetIfNotThere(layer, &s.id, &s.scaler, s.label) != kNoErr) return kNoErr;
    MakeCurrentScale(s);
    return kNoErr;
}

bool LoadLayerScale(AILayerHandle layer, bool mend) {
    Scale s;
    bool stored = false;
    if (!g || ReadLayerScale(layer, &s, &stored, mend) != kNoErr) return false;
    // A sublayer reading its top-level layer's scale holds none of its own yet either.
    if (!stored) NoteScaleRead(layer, s);
    MakeCurrentScale(s);
    return true;
}

AILayerHandle ScaleSourceLayer(AILayerHandle layer) {
    if (!IsSpecialScaleLayer(layer)) return layer;
    AILayerHandle ordinary = nullptr;
    return LastOrdinaryLayer(&ordinary) == kNoErr && ordinary ? ordinary : layer;
}

bool LoadDrawingLayerScale(AILayerHandle layer) { return layer && LoadLayerScale(ScaleSourceLayer(layer), false); }

int32_t DocumentScaleStyle() {
    if (!g) return kDocumentBasedScaleStyle;
    int32_t style = 0;
    DictRef dict;
    const AIDictKey key = sAIDictionary ? sAIDictionary->Key(kDocScaleStyleKey) : nullptr;
    // A stored style of another type is one of neither style too.
    if (sAIDocument && sAIDocument->GetDictionary(dict.put()) == kNoErr && dict && sAIDictionary->IsKnown(dict.get(), key))
        return sAIDictionary->GetIntegerEntry(dict.get(), key, &style) == kNoErr && style == kDocumentBasedScaleStyle
                   ? kDocumentBasedScaleStyle
                   : kLayerBasedScaleStyle;
    return g->newDrawingScaleStyle == kLayerBasedScaleStyle ? kLayerBasedScaleStyle : kDocumentBasedScaleStyle;
}

AIErr NoteNewDrawingScaleStyle() {
    if (g) g->newDrawingScaleStyle = g->prefs.scaleStyle;
    return kNoErr;
}

void NoteNewDrawingScale() {
    if (!g) return;
    auto& start = g->newDrawingScale;
    start.id = g->prefs.scale;
    start.scaler = g->prefs.scaler;
    CopyCString(start.label, g->prefs.scaleStr);
}

AIErr KeepNewDrawingScaleInPreferences(preferences* kept) {
    if (!g || !kept) return kNoErr;
    const Scale start = NewDrawingScale();
    kept->scaleStyle = g->newDrawingScaleStyle;
    kept->scale = start.id;
    kept->scaler = start.scaler;
    CopyCString(kept->scaleStr, start.label);
    return kNoErr;
}

AIErr LoadCurrentLayerScale() {
    if (!g || !sAILayer) return kNoErr;
    AILayerHandle layer = nullptr;
    const AIErr current = sAILayer->GetCurrentLayer(&layer);
    if (current && current != kNoDocumentErr) return current;
    // The preferences keep the front drawing's style, as the panel shows it; with no drawing
    // open, the style and scale a new drawing starts at.
    g->prefs.scaleStyle = DocumentScaleStyle();
    if (current == kNoDocumentErr) {
        MakeCurrentScale(NewDrawingScale());
        return kNoErr;
    }
    if (g->prefs.scaleStyle == kDocumentBasedScaleStyle) {
        Scale s;
        bool stored = false;
        if (AIErr err = DocumentScale(&s, &stored)) return err;
        MakeCurrentScale(s);
        return kNoErr;
    }
    (void)LoadDrawingLayerScale(layer);
    return kNoErr;
}

bool BeginScalesRead() {
    if (!g || g->keepingScalesRead) return false;
    g->keepingScalesRead = true;
    g->scalesRead.clear();
    if (!CurrentDocumentStamp(&g->scalesReadSince)) g->scalesReadSince = {};
    return true;
}

AIErr EndScalesRead(bool kept) {
    if (!g || !g->keepingScalesRead) return kNoErr;
    g->keepingScalesRead = false;
    const auto reads = std::exchange(g->scalesRead, {});
    DocumentStamp now;
    // Only a command that changed the drawing it began in stores anything: one that drew
    // nothing (a cancelled dialog, a refusal) leaves the drawing and its undo as they were.
    if (!kept || !CurrentDocumentStamp(&now) || now.document != g->scalesReadSince.document ||
        now.revision == g->scalesReadSince.revision)
        return kNoErr;
    bool wrote = false;
    for (const auto& r : reads) {
        Scale s;
        bool stored = false;
        // A layer deleted since, or given a scale meanwhile, is left as it is.
        if (ReadLayerScale(r.layer, &s, &stored, /*mend=*/false) != kNoErr || stored) continue;
        s.id = r.id;
        s.scaler = r.scaler;
        CopyCString(s.label, r.label);
        if (AIErr err = StoreScale(r.layer, s)) return err;
        wrote = true;
    }
    if (wrote) NotifyPlotwiseAPI();
    return kNoErr;
}

AIErr EndToolCommandScale(bool kept) {
    const AIErr err = EndScalesRead(kept);
    // The next command starts from the current layer's scale, whatever this one loaded.
    const AIErr loaded = LoadCurrentLayerScale();
    return err ? err : loaded;
}

AIErr FollowFrontDrawing() {
    // A command in progress keeps the scale it works at; its end loads the current one.
    if (!g || g->mouseIsDown || ToolCommandGoesOn()) return kNoErr;
    return LoadCurrentLayerScale();
}

AIErr LoadMeasuredArtScale(AIArtHandle art, bool mend) {
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
    if (!LoadLayerScale(layer, mend)) return kNoErr;
    // A custom scale stays as the layer stores it: the user's slot of that id may hold
    // another scale, or none, in this run.
    ScaleTableEntry entry;
    if (getScaleTableEntry(g->prefs.scale, &entry) && entry.kind == ScaleTableEntry::Kind::custom) return kNoErr;
    return UpdateScaler();
}

AIErr LoadPressScale() {
    if (!g) return kNoErr;
    (void)BeginScalesRead();
    const PlotwiseToolRow* row = FindToolRow(g->curTool);
    const uint16_t flags = row && row->family ? row->family->flags : 0;
    AILayerHandle layer = (flags & kFamilyDrawsOnCurrentLayer) ? ScaleSourceLayer(g->saveLayer) : nullptr;
    if (flags & kFamilyEditsPressedArt) {
        AIToolHitData hit{};
        HitRef ref;
        if (ref.Test(nullptr, g->startingPoint, &hit) == kNoErr && hit.hit && hit.object)
            (void)sAIArt->GetLayerOfArt(hit.object, &layer);
    }
    // Read only: a press stores nothing, so one its tool refuses leaves the drawing as it was.
    if (layer) (void)LoadLayerScale(layer, /*mend=*/false);
    return kNoErr;
}

AIErr SetScaleByLayerPrefsFromArt(AIArtHandle art) {
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
    return SetScaleByLayerPrefsFromLayer(layer);
}

AIErr CarryDocumentScaleToLayers() {
    if (!g) return kNoErr;
    Scale s;
    bool stored = false, wrote = false;
    if (AIErr err = DocumentScale(&s, &stored)) return err;
    if (AIErr err = StoreOnLayersWithout(s, &wrote)) return err == kNoDocumentErr ? kNoErr : err;
    if (wrote) NotifyPlotwiseAPI();
    return kNoErr;
}

AIErr GetCurrentDocBasedScale(int32_t* id, AIReal* scaler, char* label) {
    AILayerHandle layer = nullptr;
    if (AIErr err = LastOrdinaryLayer(&layer)) return err;
    return layer ? GetZA3LayerScaleAndSetIfNotThere(layer, id, scaler, label) : kNoErr;
}

AIErr PeekCurrentDocBasedScale(int32_t* id, AIReal* scaler, char* label, bool* stored) {
    if (!g || !id || !scaler || !label || !stored) return kBadParameterErr;
    Scale s;
    if (AIErr err = DocumentScale(&s, stored)) return err;
    Hand(s, id, scaler, label);
    return kNoErr;
}

AIErr GetPublishedLayerScale(AILayerHandle layer, AIReal* scaler, char label[32]) {
    if (!g) return kBadParameterErr;
    Scale s = CurrentScale();
    if (layer)
        if (AIErr err = GetZA3LayerScaleAndSetIfNotThere(layer, &s.id, &s.scaler, s.label)) return err;
    if (scaler) *scaler = s.scaler;
    if (label) CopyCString(label, kScaleLabelSize, s.label);
    return kNoErr;
}

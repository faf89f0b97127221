// A stand-in host with one open document, the plug-in's suites acquired, the scale names of
// list 17700 and a fresh global record. Layers are built and their stored scales read and
// written through the host's own model, so what the plug-in stores is checked independently
// of the routines under test. At the end everything the host lent must have been given back.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "PluginSessionFixture.h"
#include "core/PlotwiseSuites.h"
#include "suites/Suites.h"

struct StoredScale {
    int32_t id;
    AIReal scaler;
    std::string label;
};

class LayerHostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        standin::PluginDriverOptions options;
        options.resourceDir = PLOTWISE_RESOURCE_DIR;
        session_ = std::make_unique<standin::PluginDriver>(host_, options);
        globals_ = std::make_unique<ScopedGlobals>();
        ASSERT_EQ(AcquirePlotwiseSuites(host_.basicSuite()), kNoErr);
        doc_ = &host_.newDocument();
        host_.beginMessage();
    }

    void TearDown() override {
        host_.endMessage();
        ReleasePlotwiseSuites();
        plugintest::ExpectHostHoldsNothing(host_);
        globals_.reset();
    }

    standin::ObjId Layer(const std::string& title) const { return doc_->layerByTitle(title); }
    static AILayerHandle Handle(standin::ObjId layer) { return standin::suites::layerHandle(layer); }
    AILayerHandle Handle(const std::string& title) const { return Handle(Layer(title)); }

    // A sublayer on top inside the parent.
    standin::ObjId AddSublayer(const std::string& parent, const std::string& title) {
        return doc_->insertLayer(Layer(parent), kPlaceInsideOnTop, title);
    }

    void Store(const std::string& title, int32_t id, AIReal scaler, const std::string& label) {
        standin::Dict* d = doc_->editDict(doc_->dictionaryOf(Layer(title)));
        d->set("ZA3_ScaleID", id);
        d->set("ZA3_Scaler", scaler);
        d->set("ZA3_ScaleStr", label);
    }

    // The document's scale style, as the user's switch stores it.
    void SetStyle(int32_t style) { doc_->editDict(doc_->dictionaryOf(0))->set("ZA3_ScaleStyle", style); }

    std::optional<StoredScale> Stored(const std::string& title) const {
        const standin::Art* layer = doc_->art(Layer(title));
        const standin::Dict* d = layer ? doc_->dict(layer->dictionary) : nullptr;
        if (!d) return std::nullopt;
        const auto* id = d->find("ZA3_ScaleID");
        const auto* scaler = d->find("ZA3_Scaler");
        const auto* label = d->find("ZA3_ScaleStr");
        if (!id || !scaler || !label) return std::nullopt;
        return StoredScale{std::get<int32_t>(*id), std::get<AIReal>(*scaler), std::get<standin::DictText>(*label).str()};
    }

    standin::Host host_;
    std::unique_ptr<standin::PluginDriver> session_;
    std::unique_ptr<ScopedGlobals> globals_;
    standin::Document* doc_ = nullptr;
};

#define EXPECT_STORED(title, wantId, wantScaler, wantLabel)             \
    do {                                                                \
        const auto s = Stored(title);                                   \
        ASSERT_TRUE(s.has_value()) << (title) << " holds no scale";     \
        EXPECT_EQ(s->id, (wantId)) << (title);                          \
        EXPECT_FLOAT_EQ(s->scaler, (wantScaler)) << (title);            \
        EXPECT_EQ(s->label, (wantLabel)) << (title);                    \
    } while (0)

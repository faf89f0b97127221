// A stand-in host with one open document, the plug-in's suites acquired and a global
// record in place; at the end everything the code under test obtained from the host must
// have been given back exactly once.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PluginSessionFixture.h"
#include "core/PlotwiseSuites.h"

class DimensionHostFixture : public ::testing::Test {
protected:
    void SetUp() override {
        session_ = std::make_unique<standin::PluginDriver>(host_);  // registers the application suites
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

    AIArtHandle NewArt(int16_t type, AIArtHandle inside = nullptr) {
        AIArtHandle art = nullptr;
        EXPECT_EQ(sAIArt->NewArt(type, inside ? kPlaceInsideOnTop : kPlaceAboveAll, inside, &art), kNoErr);
        return art;
    }

    // The stored dictionary under a path of keys from the art's dictionary (0 when absent).
    const standin::Dict* StoredDict(AIArtHandle art, const std::vector<std::string>& path) {
        const standin::Art* a = doc_->art(standin::fromHandle(art));
        if (!a || !a->dictionary) return nullptr;
        const standin::Dict* d = doc_->dict(a->dictionary);
        for (const std::string& key : path) {
            if (!d) return nullptr;
            const standin::DictValue* v = d->find(key);
            if (!v || !std::holds_alternative<standin::DictLink>(*v)) return nullptr;
            d = doc_->dict(std::get<standin::DictLink>(*v).id);
        }
        return d;
    }

    std::vector<std::string> StoredKeys(AIArtHandle art, const std::vector<std::string>& path) {
        std::vector<std::string> keys;
        if (const standin::Dict* d = StoredDict(art, path))
            for (const auto& [key, value] : d->entries) keys.push_back(key);
        return keys;
    }

    // Deletes one entry under a path of keys, through the suites.
    void DeleteStored(AIArtHandle art, const std::vector<std::string>& path, const char* key) {
        AIDictionaryRef dict = nullptr;
        ASSERT_EQ(sAIArt->GetDictionary(art, &dict), kNoErr);
        for (const std::string& k : path) {
            AIDictionaryRef sub = nullptr;
            ASSERT_EQ(sAIDictionary->GetDictEntry(dict, sAIDictionary->Key(k.c_str()), &sub), kNoErr);
            sAIDictionary->Release(dict);
            dict = sub;
        }
        EXPECT_EQ(sAIDictionary->DeleteEntry(dict, sAIDictionary->Key(key)), kNoErr) << key;
        sAIDictionary->Release(dict);
    }

    standin::Host host_;
    std::unique_ptr<standin::PluginDriver> session_;
    std::unique_ptr<ScopedGlobals> globals_;
    standin::Document* doc_ = nullptr;
};

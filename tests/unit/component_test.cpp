#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/component.h"
#include "gui/exceptions.h"

namespace {

std::vector<std::string> events;

class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string tag) : TComponent(owner), tag_(std::move(tag)) {}
    ~Probe() override { events.push_back("free " + tag_); }
    void SetValue(int v) {
        value = v;
        events.push_back(tag_ + (Reading() ? " set while reading" : " set"));
    }
    int value = 0;

protected:
    void Loaded() override { events.push_back("loaded " + tag_ + " " + std::to_string(value)); }

private:
    std::string tag_;
};

TEST(Component, OwnerFreesOwnedComponentsInReverseOrderOfCreation) {
    events.clear();
    auto* root = new Probe(nullptr, "root");
    new Probe(root, "a");
    auto* b = new Probe(root, "b");
    new Probe(b, "b1");
    new Probe(root, "c");
    delete root;
    EXPECT_EQ(events, (std::vector<std::string>{"free root", "free c", "free b", "free b1",
                                                "free a"}));
}

TEST(Component, FreedComponentLeavesItsOwner) {
    events.clear();
    Probe root(nullptr, "root");
    auto* a = new Probe(&root, "a");
    new Probe(&root, "b");
    delete a;
    ASSERT_EQ(root.ComponentCount(), 1);
    events.clear();
}

TEST(Component, StoredValuesAreAppliedWhileReadingThenLoadedRunsOnce) {
    events.clear();
    {
        Probe form(nullptr, "form");
        auto* a = new Probe(&form, "a");
        auto* b = new Probe(&form, "b");
        form.ReadStored([&] {
            a->SetValue(1);
            b->SetValue(2);
        });
        EXPECT_FALSE(a->Reading());
        a->SetValue(3);
        EXPECT_EQ(events, (std::vector<std::string>{"a set while reading", "b set while reading",
                                                    "loaded form 0", "loaded a 1", "loaded b 2",
                                                    "a set"}));
    }
}

TEST(Component, DesignModeIsInheritedFromTheOwner) {
    TComponent form(nullptr);
    form.SetDesigning(true);
    auto* child = new TComponent(&form);
    EXPECT_TRUE(child->Designing());
}

TEST(Exceptions, FileErrorTextsFollowTheSystemErrorNumber) {
    EXPECT_EQ(EInOutError(2).Message(), "File not found");
    EXPECT_EQ(EInOutError(3).Message(), "Invalid filename");
    EXPECT_EQ(EInOutError(4).Message(), "Too many open files");
    EXPECT_EQ(EInOutError(5).Message(), "File access denied");
    EXPECT_EQ(EInOutError(100).Message(), "Read beyond end of file");
    EXPECT_EQ(EInOutError(101).Message(), "Disk full");
    EXPECT_EQ(EInOutError(106).Message(), "Invalid numeric input");
    EXPECT_EQ(EInOutError(123).Message(), "I/O error 123");
    EXPECT_EQ(EFCreateError("C:\\x\\zelvora.set").Message(), "Cannot create file C:\\x\\zelvora.set");
}

}  // namespace

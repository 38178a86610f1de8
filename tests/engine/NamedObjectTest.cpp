#include "orvex/foundation/NamedObject.h"

#include <gtest/gtest.h>

namespace {

// Counts live objects so tests can see a chain being released.
struct Tracked : NamedObject {
    static inline int alive = 0;
    Tracked() { ++alive; }
    ~Tracked() override { --alive; }
};

Tracked* Named(const char* text)
{
    auto* object = new Tracked;
    EXPECT_TRUE(object->SetName(text));
    return object;
}

TEST(NamedObject, StartsUnnamedAndCopiesItsName)
{
    NamedObject object;
    EXPECT_EQ(object.GetName(), nullptr);
    EXPECT_EQ(object.GetNext(), nullptr);

    char text[] = "Bone01";
    ASSERT_TRUE(object.SetName(text));
    text[0] = 'X';
    EXPECT_STREQ(object.GetName(), "Bone01");
    EXPECT_FALSE(object.SetName(nullptr));
    EXPECT_STREQ(object.GetName(), "Bone01");
}

TEST(NamedObject, FindReturnsTheNearestMatchFromTheCalledObjectOn)
{
    Tracked* head = Named("a");
    Tracked* second = Named("dup");
    Tracked* third = Named("dup");
    Tracked* unnamed = new Tracked;
    head->Append(second);
    head->Append(third);
    head->Append(unnamed);

    EXPECT_EQ(head->Find("dup"), second);
    EXPECT_EQ(third->Find("dup"), third);
    EXPECT_EQ(second->Find("a"), nullptr) << "objects before the called one are not searched";
    EXPECT_EQ(head->Find("A"), nullptr) << "names compare case-sensitively";
    EXPECT_EQ(head->Find(""), nullptr) << "an unnamed object never matches";
    EXPECT_EQ(head->Find(nullptr), nullptr);
    delete head;
}

TEST(NamedObject, LastAndAppendJoinWholeChains)
{
    Tracked* single = Named("one");
    EXPECT_EQ(single->Last(), single);

    Tracked* otherHead = Named("two");
    Tracked* otherTail = Named("three");
    otherHead->Append(otherTail);

    single->Append(otherHead);
    EXPECT_EQ(single->GetNext(), otherHead);
    EXPECT_EQ(single->Last(), otherTail);
    EXPECT_EQ(single->Find("three"), otherTail);
    delete single;
}

TEST(NamedObject, DeletingTheHeadReleasesTheWholeChain)
{
    Tracked::alive = 0;
    Tracked* head = Named("a");
    head->Append(Named("b"));
    head->Append(Named("c"));
    ASSERT_EQ(Tracked::alive, 3);
    delete head;
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(NamedObject, DestroyRunsAnyNumberOfTimes)
{
    Tracked::alive = 0;
    Tracked head;
    ASSERT_TRUE(head.SetName("head"));
    head.Append(Named("tail"));
    head.Destroy();
    EXPECT_EQ(head.GetName(), nullptr);
    EXPECT_EQ(head.GetNext(), nullptr);
    EXPECT_EQ(Tracked::alive, 1);
    head.Destroy();
    EXPECT_EQ(Tracked::alive, 1);
}

TEST(NamedObject, SetNextReleasesNothing)
{
    Tracked::alive = 0;
    Tracked* head = Named("a");
    Tracked* kept = Named("b");
    head->SetNext(kept);
    head->SetNext(nullptr);
    delete head;
    EXPECT_EQ(Tracked::alive, 1);
    delete kept;
}

TEST(NamedObject, AVeryLongChainIsReleasedWithoutDeepRecursion)
{
    Tracked::alive = 0;
    Tracked* head = new Tracked;
    NamedObject* tail = head;
    for (int i = 0; i < 1'000'000; ++i) {
        auto* object = new Tracked;
        tail->SetNext(object);
        tail = object;
    }
    delete head;
    EXPECT_EQ(Tracked::alive, 0);
}

} // namespace

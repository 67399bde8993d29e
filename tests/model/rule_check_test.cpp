#include <gtest/gtest.h>

#include <vector>

#include "model/rule_check.hpp"

using namespace model;

namespace {

struct Scene {
    std::vector<int8_t> place;
    std::vector<uint64_t> kind;
    std::vector<RuleData> rules;
    bool boatEmpty = false;
    bool boatman = false;
    int destination = 1;

    CrossingVerdict judge() const {
        return judgeCrossing(place, kind, boatEmpty, boatman, destination, rules);
    }
};

Scene threeOnBanks(int8_t a, int8_t b, int8_t c) {
    Scene s;
    s.place = {a, b, c};
    s.kind = {1, 2, 3};
    return s;
}

}  // namespace

TEST(RuleCheck, EmptyBoatNeedsBoatman) {
    Scene s;
    s.boatEmpty = true;
    EXPECT_EQ(s.judge().verdict, Verdict::NobodyToRow);
    s.rules = {{0, 1, -1, ForbidTogether}};
    s.place = {-1, -1};
    s.kind = {1, 2};
    EXPECT_EQ(s.judge().verdict, Verdict::NobodyToRow);  // before any rule is looked at
    s.boatman = true;
    s.rules.clear();
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);
}

TEST(RuleCheck, PairWithoutBoatmanNeedsAnyCompanion) {
    Scene s = threeOnBanks(-1, -1, 1);
    s.rules = {{0, 1, -1, ForbidTogether}};
    CrossingVerdict v = s.judge();
    EXPECT_EQ(v.verdict, Verdict::ForbiddenTogether);
    EXPECT_EQ(v.rule, 0);
    EXPECT_EQ(v.markA, 0);
    EXPECT_EQ(v.markB, 1);

    s.place = {-1, -1, -1};  // any third character protects the pair
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);
    s.place = {-1, 1, -1};  // apart
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);
    s.place = {1, 1, -1};  // a pair in the boat counts on the destination bank
    EXPECT_EQ(s.judge().verdict, Verdict::ForbiddenTogether);
}

TEST(RuleCheck, PairWithBoatmanIsSafeOnlyWhereTheBoatLands) {
    Scene s = threeOnBanks(-1, -1, -1);
    s.boatman = true;
    s.boatEmpty = true;
    s.rules = {{0, 1, -1, ForbidTogether}};
    s.destination = 1;  // left behind, even with a third character beside them
    EXPECT_EQ(s.judge().verdict, Verdict::ForbiddenTogether);
    s.destination = -1;
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);
    s.place = {1, 1, -1};
    EXPECT_EQ(s.judge().verdict, Verdict::ForbiddenTogether);
}

TEST(RuleCheck, NamedThirdGuardsThePair) {
    Scene s = threeOnBanks(1, 1, 1);
    s.rules = {{0, 1, 2, ForbidTogether}};
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);
    s.place = {1, 1, -1};
    EXPECT_EQ(s.judge().verdict, Verdict::ForbiddenTogether);
    s.boatman = true;  // the boatman does not replace a named guard
    EXPECT_EQ(s.judge().verdict, Verdict::ForbiddenTogether);

    for (const int third : {0, 1}) {  // a guard equal to one of the pair always holds
        s.rules = {{0, 1, third, ForbidTogether}};
        EXPECT_EQ(s.judge().verdict, Verdict::Allowed) << third;
    }
}

TEST(RuleCheck, QuantityRulesCountKindsPerBank) {
    // kinds: 10 (A's kind) at 0,1; 20 (B's kind) at 2,3; 30 at 4
    Scene s;
    s.kind = {10, 10, 20, 20, 30};
    s.place = {-1, -1, -1, -1, 1};
    s.rules = {{0, 2, -1, MoreThan}};
    CrossingVerdict v = s.judge();
    EXPECT_EQ(v.verdict, Verdict::Unbalanced);
    EXPECT_EQ(v.bank, -1);
    s.rules[0].kind = NotLessThan;  // 2 against 2
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);

    // Both banks broken: the left bank is reported.
    s.kind = {10, 10, 20, 20, 20, 20, 20};
    s.place = {-1, 1, -1, -1, 1, 1, 1};
    v = s.judge();
    EXPECT_EQ(v.verdict, Verdict::Unbalanced);
    EXPECT_EQ(v.bank, -1);
    s.place = {-1, 1, 1, 1, 1, 1, 1};
    v = s.judge();
    EXPECT_EQ(v.bank, 1);

    // A bank without A's kind passes however many of B stand there.
    s.place = {1, 1, -1, -1, -1, -1, -1};
    s.rules = {{0, 2, -1, MoreThan}, {0, 2, -1, NotLessThan}};
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);
}

TEST(RuleCheck, SameKindIsNeverCountedTwice) {
    Scene s;
    s.kind = {7, 7, 7};
    s.place = {-1, -1, 1};
    s.rules = {{0, 1, -1, MoreThan}};  // A and B of one kind: B's count stays 0
    EXPECT_EQ(s.judge().verdict, Verdict::Allowed);
}

TEST(RuleCheck, FirstFailingRuleDecidesAndUnknownKindsAreSkipped) {
    Scene s;
    s.kind = {1, 2, 2};
    s.place = {-1, -1, -1};
    s.rules = {{0, 1, 0, 7}, {0, 1, -1, MoreThan}, {1, 2, 0, ForbidTogether}};
    CrossingVerdict v = s.judge();
    EXPECT_EQ(v.verdict, Verdict::Unbalanced);
    EXPECT_EQ(v.rule, 1);
    s.rules.erase(s.rules.begin() + 1);
    s.place = {1, -1, -1};
    v = s.judge();
    EXPECT_EQ(v.verdict, Verdict::ForbiddenTogether);
    EXPECT_EQ(v.rule, 1);
}

TEST(RuleCheck, RulesNamingMissingCharactersHold) {
    Scene s = threeOnBanks(-1, -1, 1);
    for (const RuleData rule : std::vector<RuleData>{{-1, -1, -1, ForbidTogether},
                                                     {0, -1, -1, ForbidTogether},
                                                     {0, 3, -1, ForbidTogether},
                                                     {0, 1, 3, ForbidTogether},
                                                     {0, 1, -5, ForbidTogether},
                                                     {-1, 0, -1, MoreThan},
                                                     {0, 1000, -1, NotLessThan},
                                                     {3, 0, -1, MoreThan}}) {
        s.rules = {rule};
        EXPECT_EQ(s.judge().verdict, Verdict::Allowed)
            << rule.first << ' ' << rule.second << ' ' << rule.third << ' ' << rule.kind;
    }
}

TEST(RuleCheck, KindKeyKeepsHashAndColourApart) {
    EXPECT_EQ(kindKey(0x12345678, 0xFFF00000), 0x12345678FFF00000ULL);
    EXPECT_NE(kindKey(1, 2), kindKey(2, 1));
}

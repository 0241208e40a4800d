// The block scan at each vector width this processor has, against the plain definition: a start
// is a candidate for a filter when both its units stand at their offsets from it.
#include "engine/candidate_blocks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace lorvane {
namespace {

std::vector<VectorWidth> widthsHere() {
    std::vector<VectorWidth> widths;
    if (widestVectors() != VectorWidth::None) widths.push_back(VectorWidth::Narrow);
    if (widestVectors() == VectorWidth::Wide) widths.push_back(VectorWidth::Wide);
    return widths;
}

template <class Char>
std::uint32_t expectedMask(const std::basic_string<Char>& text, std::size_t blockStart,
                           std::size_t block, const UnitFilters<Char>& filters, std::size_t p) {
    std::uint32_t mask = 0;
    for (std::size_t lane = 0; lane < block; ++lane) {
        const std::size_t start = blockStart + lane;
        if (text[start + filters.offset1[p]] == filters.unit1[p] &&
            text[start + filters.offset2[p]] == filters.unit2[p]) {
            mask |= ((1u << kBitsPerStart<Char>) - 1) << (lane * kBitsPerStart<Char>);
        }
    }
    return mask;
}

// Walks a text block by block as the scans do and checks every block reported, and that no
// block skipped held a candidate.
template <class Char>
void checkRandomTexts(VectorWidth width, Char highUnit) {
    std::mt19937 random(7);
    const std::size_t block = blockStarts<Char>(width);
    ASSERT_GT(block, 0u);
    const Char alphabet[] = {Char('a'), Char('b'), Char('c'), highUnit};
    for (int round = 0; round < 3000; ++round) {
        std::basic_string<Char> text(std::uniform_int_distribution<std::size_t>(0, 200)(random),
                                     Char('a'));
        for (Char& unit : text)
            unit = alphabet[random() % 4];
        UnitFilters<Char> filters;
        filters.count = 1 + random() % kMaxFilters;
        const std::size_t longest = 1 + random() % 6;
        for (std::size_t p = 0; p < filters.count; ++p) {
            filters.offset1[p] = random() % longest;
            filters.offset2[p] = random() % longest;
            filters.unit1[p] = alphabet[random() % 4];
            filters.unit2[p] = alphabet[random() % 4];
        }
        if (text.size() + 1 < longest) continue;
        const std::size_t endStart = text.size() + 1 - longest;
        std::size_t start = random() % 3;
        for (;;) {
            std::uint32_t masks[kMaxFilters];
            const std::size_t found =
                findCandidateBlock(width, text.data(), start, endStart, filters, masks);
            ASSERT_EQ((found - start) % block, 0u);
            for (std::size_t skipped = start; skipped < found; skipped += block) {
                for (std::size_t p = 0; p < filters.count; ++p)
                    ASSERT_EQ(expectedMask(text, skipped, block, filters, p), 0u) << round;
            }
            if (found + block > endStart) {
                ASSERT_LT(found, endStart + block) << "a whole block that fits was skipped";
                break;
            }
            std::uint32_t any = 0;
            for (std::size_t p = 0; p < filters.count; ++p) {
                ASSERT_EQ(masks[p], expectedMask(text, found, block, filters, p))
                    << "round " << round << ", filter " << p;
                any |= masks[p];
            }
            ASSERT_NE(any, 0u) << "a block without candidates was reported";
            start = found + block;
        }
    }
}

TEST(CandidateBlocks, EveryWidthFindsExactlyTheCandidates) {
    for (VectorWidth width : widthsHere()) {
        SCOPED_TRACE(width == VectorWidth::Wide ? "wide" : "narrow");
        checkRandomTexts<char>(width, static_cast<char>(0xE0));
        checkRandomTexts<char16_t>(width, u'\u4E2D');
    }
}

TEST(CandidateBlocks, NoVectorsLooksAtNothing) {
    UnitFilters<char> filters;
    filters.count = 1;
    std::uint32_t mask = 0;
    const std::string text(100, 'a');
    EXPECT_EQ(blockStarts<char>(VectorWidth::None), 0u);
    EXPECT_EQ(findCandidateBlock(VectorWidth::None, text.data(), 5, 90, filters, &mask), 5u);
}

}  // namespace
}  // namespace lorvane

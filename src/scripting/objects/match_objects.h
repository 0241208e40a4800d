// What RegExp.Execute returns: a MatchCollection of Match objects (Value, FirstIndex, Length,
// SubMatches), named and used as the Windows objects are (default members Item and Value,
// For Each over the collections). A group that took no part in a match is Empty.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "scripting/host_object.h"
#include "scripting/objects/regexp_search.h"

namespace lorvane::vbs {

class SubMatches : public Object {
  public:
    explicit SubMatches(std::vector<Variant> values) : values_(std::move(values)) {}
    std::u16string typeName() const override { return u"ISubMatches"; }
    MemberId findMember(std::u16string_view name) const override;
    MemberId defaultMember() const override;
    Variant get(MemberId member, Arguments& args) override;
    std::unique_ptr<Enumerator> enumerate() override;

  private:
    std::vector<Variant> values_;
};

class Match : public Object {
  public:
    Match(const std::u16string& text, const MatchSpan& span);
    std::u16string typeName() const override { return u"IMatch2"; }
    MemberId findMember(std::u16string_view name) const override;
    MemberId defaultMember() const override;
    Variant get(MemberId member, Arguments& args) override;

  private:
    std::u16string value_;
    int32_t firstIndex_;
    ObjectRef subMatches_;
};

class MatchCollection : public Object {
  public:
    MatchCollection(const std::u16string& text, const std::vector<MatchSpan>& spans);
    std::u16string typeName() const override { return u"IMatchCollection2"; }
    MemberId findMember(std::u16string_view name) const override;
    MemberId defaultMember() const override;
    Variant get(MemberId member, Arguments& args) override;
    std::unique_ptr<Enumerator> enumerate() override;

  private:
    std::vector<Variant> matches_;
};

}  // namespace lorvane::vbs

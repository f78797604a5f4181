#pragma once

// Several features held as one: what opening a layer hands over when more than
// one of its features is chosen. The layout draws, and the writers place, every
// part of every member; the sheets are their union, each member's rings filled
// by the even-odd rule on their own, so that overlapping members never cancel
// each other (ComputeSheets computes such a feature as ComputeUnion of its
// members, at any scale it is recomputed at).

#include "coverage/Feature.h"
#include "index/Settings.h"

#include <cstdint>
#include <vector>

namespace sw {

// Every part of every feature, in order, as one feature whose MemberStarts mark
// where each feature begins. Features without vertices are left out; one feature
// gives a copy of it without member marks.
Feature UnionFeature(const std::vector<const Feature*>& members);

// The members of a feature made by UnionFeature, each with its own parts. Member
// starts that are not ascending inside the vertex list are dropped (the first
// counts as 0); fewer than two left: the feature alone.
std::vector<Feature> UnionMembers(const Feature& f);

// The data type the feature's parts call for: Polygon when any part is a ring,
// else Polyline when any is a line, else Point.
DataKind DataTypeOf(const Feature& f);

} // namespace sw

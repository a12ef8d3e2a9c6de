#include "scene/patch_quadtree.h"

#include <algorithm>

namespace scene {
namespace {

Box3 Union(const Box3& a, const Box3& b) {
  Box3 box;
  box.minimum = {std::min(a.minimum.x, b.minimum.x), std::min(a.minimum.y, b.minimum.y),
                 std::min(a.minimum.z, b.minimum.z)};
  box.maximum = {std::max(a.maximum.x, b.maximum.x), std::max(a.maximum.y, b.maximum.y),
                 std::max(a.maximum.z, b.maximum.z)};
  return box;
}

void SetCentre(Box3& box) {
  box.centre = {(box.minimum.x + box.maximum.x) / 2, (box.minimum.y + box.maximum.y) / 2,
                (box.minimum.z + box.maximum.z) / 2};
}

bool StrictlyInside(const Box3& box, const CVector3& p) {
  return p.x > box.minimum.x && p.x < box.maximum.x && p.y > box.minimum.y && p.y < box.maximum.y &&
         p.z > box.minimum.z && p.z < box.maximum.z;
}

bool InsideClosed(const Box3& box, const CVector3& p) {
  return p.x >= box.minimum.x && p.x <= box.maximum.x && p.y >= box.minimum.y &&
         p.y <= box.maximum.y && p.z >= box.minimum.z && p.z <= box.maximum.z;
}

}  // namespace

void PatchQuadtree::Clear() {
  root_ = Node{};
  boxes_.clear();
}

void PatchQuadtree::Add(int item, const Box3& box) {
  if (item >= static_cast<int>(boxes_.size())) boxes_.resize(item + 1);
  boxes_[item] = box;
  root_.box = root_.items.empty() ? box : Union(root_.box, box);
  SetCentre(root_.box);
  root_.items.push_back(item);
}

void PatchQuadtree::Build() { Split(root_, 0); }

void PatchQuadtree::Split(Node& node, int depth) {
  Box3& box = node.box;
  SetCentre(box);
  for (int corner = 0; corner < 8; ++corner) {
    node.corners[corner] = {(corner & 1) ? box.maximum.x : box.minimum.x,
                            (corner & 2) ? box.maximum.y : box.minimum.y,
                            (corner & 4) ? box.maximum.z : box.minimum.z};
  }
  node.recordedCount = static_cast<int>(node.items.size());
  // Items with the same centre cannot be separated: past this depth they
  // share a leaf.
  constexpr int kMaxDepth = 24;
  if (node.items.size() <= 1 || depth >= kMaxDepth) return;

  const CVector3 lo = box.minimum, hi = box.maximum, mid = box.centre;
  const Box3 quarters[4] = {
      {{lo.x, lo.y, lo.z}, {mid.x, hi.y, mid.z}, {}},
      {{mid.x, lo.y, lo.z}, {hi.x, hi.y, mid.z}, {}},
      {{mid.x, lo.y, mid.z}, {hi.x, hi.y, hi.z}, {}},
      {{lo.x, lo.y, mid.z}, {mid.x, hi.y, hi.z}, {}},
  };
  // A patch goes to the quarter that holds its centre strictly inside. A
  // centre on a split plane, or at the very top or bottom of the node (a
  // flat patch), goes to the first quarter that holds it at all, so that no
  // patch is ever dropped from the tree.
  std::vector<int> remaining = std::move(node.items);
  node.items.clear();
  std::vector<int> taken[4];
  for (int item : remaining) {
    const CVector3& c = boxes_[item].centre;
    int target = -1;
    for (int q = 0; q < 4 && target < 0; ++q) {
      if (StrictlyInside(quarters[q], c)) target = q;
    }
    for (int q = 0; q < 4 && target < 0; ++q) {
      if (InsideClosed(quarters[q], c)) target = q;
    }
    taken[std::max(target, 0)].push_back(item);
  }
  for (int q = 0; q < 4; ++q) {
    auto child = std::make_unique<Node>();
    child->box = quarters[q];
    if (!taken[q].empty()) {
      child->box = boxes_[taken[q].front()];
      for (int item : taken[q]) child->box = Union(child->box, boxes_[item]);
    }
    child->items = std::move(taken[q]);
    Split(*child, depth + 1);
    node.children[q] = std::move(child);
  }
}

}  // namespace scene

// Bounding-box quadtree over the terrain patches, one patch per leaf. A walk
// tests node boxes against the frustum; a node whose eight corners are all
// inside passes its whole subtree without further tests.
#pragma once

#include <array>
#include <memory>
#include <vector>

#include "scene/frustum.h"
#include "scene/terrain_mesh.h"

namespace scene {

class PatchQuadtree {
 public:
  // Empties the tree.
  void Clear();
  // Adds an item (a patch key) to the root; the root's box grows to hold it.
  void Add(int item, const Box3& box);
  // Splits the root recursively until every node holds at most one item.
  void Build();

  // Calls draw(item) for every item in a visible leaf, in tree order, and
  // returns the sum of what draw returned. Allocates nothing.
  template <typename DrawItem>
  int Walk(const Frustum& frustum, DrawItem&& draw) const {
    return WalkNode(root_, frustum, false, draw);
  }
  // The same without culling: every leaf is drawn.
  template <typename DrawItem>
  int WalkAll(DrawItem&& draw) const {
    return WalkNode(root_, Frustum{}, true, draw);
  }

 private:
  struct Node {
    Box3 box;
    std::array<CVector3, 8> corners{};
    std::vector<int> items;
    int recordedCount = 0;
    std::array<std::unique_ptr<Node>, 4> children;
  };

  void Split(Node& node, int depth);

  template <typename DrawItem>
  int WalkNode(const Node& node, const Frustum& frustum, bool parentInside, DrawItem& draw) const {
    if (node.recordedCount == 0) return 0;
    bool inside = parentInside;
    if (!parentInside) {
      if (!BoxInFrustum(frustum, node.box.minimum.x, node.box.minimum.y, node.box.minimum.z,
                        node.box.maximum.x, node.box.maximum.y, node.box.maximum.z)) {
        return 0;
      }
      inside = true;
      for (const CVector3& corner : node.corners) {
        if (!PointInFrustum(frustum, corner.x, corner.y, corner.z)) {
          inside = false;
          break;
        }
      }
    }
    int sum = 0;
    for (const auto& child : node.children) {
      if (child) sum += WalkNode(*child, frustum, inside, draw);
    }
    // Split nodes hand all their items to their children; only leaves draw.
    for (int item : node.items) sum += draw(item);
    return sum;
  }

  Node root_;
  std::vector<Box3> boxes_;  // by item
};

}  // namespace scene

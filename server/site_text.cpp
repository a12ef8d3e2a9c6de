#include "server/site_text.h"

#include "server/html_text.h"

namespace compare {
namespace {

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

std::string Address(std::string_view target, std::string_view sitePrefix) {
  if (target.starts_with('?')) return std::string(sitePrefix) + "/" + std::string(target);
  return std::string(target);
}

std::string Inline(std::string_view text, std::string_view sitePrefix) {
  std::string html;
  size_t i = 0;
  while (i < text.size()) {
    if (text.substr(i).starts_with("**")) {
      const size_t close = text.find("**", i + 2);
      if (close != std::string_view::npos) {
        html += "<strong>" + Inline(text.substr(i + 2, close - i - 2), sitePrefix) + "</strong>";
        i = close + 2;
        continue;
      }
    }
    if (text[i] == '`') {
      const size_t close = text.find('`', i + 1);
      if (close != std::string_view::npos) {
        html += "<code>" + HtmlEscape(text.substr(i + 1, close - i - 1)) + "</code>";
        i = close + 1;
        continue;
      }
    } else if (text[i] == '[') {
      const size_t middle = text.find("](", i + 1);
      const size_t close = middle == std::string_view::npos ? middle : text.find(')', middle + 2);
      if (close != std::string_view::npos) {
        const std::string_view label = text.substr(i + 1, middle - i - 1);
        const std::string_view target = text.substr(middle + 2, close - middle - 2);
        html += "<a href=\"" + HtmlEscape(Address(target, sitePrefix)) + "\">" + HtmlEscape(label) +
                "</a>";
        i = close + 1;
        continue;
      }
    }
    html += HtmlEscape(text.substr(i, 1));
    ++i;
  }
  return html;
}

// Builds the page block by block: a paragraph or list item gathers its lines
// until a blank line, a heading or the next item ends it.
class Renderer {
 public:
  Renderer(std::string_view sitePrefix, std::string_view currentId)
      : prefix_(sitePrefix), currentId_(currentId) {}

  void Line(std::string_view raw) {
    const std::string_view line = Trimmed(raw);
    const bool indented = !raw.empty() && (raw.front() == ' ' || raw.front() == '\t');
    if (line.empty()) {
      CloseList();
      return;
    }
    if (line.starts_with("## ") || line.starts_with("### ")) {
      CloseList();
      Heading(line);
    } else if (line.starts_with("- ")) {
      EndBlock();
      if (!inList_) out_.html += "<ul>\n";
      inList_ = true;
      block_ = "li";
      pending_ = line.substr(2);
    } else if (!block_.empty() && (indented || block_ == "p")) {
      pending_ += ' ';
      pending_ += line;
    } else {
      CloseList();
      block_ = "p";
      pending_ = line;
    }
  }

  SiteText Finish() {
    CloseList();
    return std::move(out_);
  }

 private:
  void Heading(std::string_view line) {
    const bool section = line.starts_with("## ");
    std::string_view text = Trimmed(line.substr(section ? 3 : 4));
    std::string id;
    const size_t anchor = text.rfind("{#");
    if (anchor != std::string_view::npos && text.ends_with('}')) {
      id = text.substr(anchor + 2, text.size() - anchor - 3);
      text = Trimmed(text.substr(0, anchor));
    }
    const char* tag = section ? "h2" : "h3";
    out_.html += std::string("<") + tag;
    if (!id.empty()) out_.html += " id=\"" + HtmlEscape(id) + "\"";
    if (!id.empty() && id == currentId_) out_.html += " class=\"current\"";
    out_.html += ">" + Inline(text, prefix_) + "</" + tag + ">\n";
    if (section) out_.sections.push_back({id, std::string(text)});
  }

  void EndBlock() {
    if (block_.empty()) return;
    out_.html += "<" + block_ + ">" + Inline(pending_, prefix_) + "</" + block_ + ">\n";
    block_.clear();
    pending_.clear();
  }

  void CloseList() {
    EndBlock();
    if (inList_) out_.html += "</ul>\n";
    inList_ = false;
  }

  std::string_view prefix_;
  std::string_view currentId_;
  SiteText out_;
  std::string block_;  // "p", "li" or empty
  std::string pending_;
  bool inList_ = false;
};

}  // namespace

SiteText RenderSiteText(std::string_view markdown, std::string_view sitePrefix,
                        std::string_view currentId) {
  Renderer renderer(sitePrefix, currentId);
  while (!markdown.empty()) {
    const size_t end = markdown.find('\n');
    renderer.Line(markdown.substr(0, end));
    markdown.remove_prefix(end == std::string_view::npos ? markdown.size() : end + 1);
  }
  return renderer.Finish();
}

}  // namespace compare

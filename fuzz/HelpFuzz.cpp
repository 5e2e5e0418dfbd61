// The help document "ZTAV.HLP" of any content: it is read, laid out in the
// help browser (or the page that says it is missing) and scrolled to both
// topics.
#include <QApplication>

#include "app/help/HelpViewer.h"
#include "fuzz/FuzzKit.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zt::fuzz::StartQt<QApplication>();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static zt::HelpBrowser* browser = [] {
    auto* b = new zt::HelpBrowser();
    b->resize(520, 600);
    return b;
  }();
  const QString path = zt::fuzz::Scratch().filePath("ZTAV.HLP");
  if (!zt::fuzz::WriteFile(path, data, size)) return 0;
  const zt::HelpDocument doc = zt::ReadHelpDocument(path);
  // A plain file within the size limit reads, unless the viewer could not lay
  // it out at once (then it is refused as missing).
  const QString html =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
  ZT_FUZZ_CHECK(doc.ok == zt::HelpLaysOutQuickly(html));
  browser->setHtml(doc.html);
  browser->scrollToAnchor("Das_Spiel");
  browser->scrollToAnchor("The_Game");
  // Lay the document out as a showing would.
  (void)browser->document()->size();
  return 0;
}

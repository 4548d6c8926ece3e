#include "render/row_fit.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "monitor/status_items.h"
#include "platform/win32/gdi_text_painter.h"

namespace {

using base::Text;

constexpr base::Colour kBack = base::rgb(255, 255, 255), kInk = base::rgb(0, 0, 0);

struct Ink {
    int left = 0, right = -1;  // columns of the row, right included; none when right < left
};

// Where a text's pixels fall when drawn at x, even beyond the row's edges.
Ink inkOf(win32::GdiTextPainter& painter, const render::PlacedText& text, int rowHeight) {
    constexpr int kMargin = 400;
    base::Image wide(2 * kMargin + 400, rowHeight, kBack);
    painter.drawText(wide, text.x + kMargin, text.y, text.text, kInk);
    Ink ink{wide.width(), -1};
    for (int y = 0; y < wide.height(); ++y)
        for (int x = 0; x < wide.width(); ++x)
            if (wide.pixel(x, y) == kInk) {
                ink.left = std::min(ink.left, x - kMargin);
                ink.right = std::max(ink.right, x - kMargin);
            }
    return ink;
}

struct Row {
    Text name;
    std::wstring value;
    int rightEdge;
    std::optional<int> endsAt;
};

}  // namespace

// Each row with the longest value it can hold, in the real row font, in both languages and at
// 100 % and 200 %: every pixel of every text on the row, and the label's ink left of the value's.
TEST(RowFit, LongestValuesStayOnTheRowAndClearOfTheirLabels) {
    win32::GdiTextPainter painter;
    for (base::Language language : {base::Language::Japanese, base::Language::English}) {
        base::setLanguage(language);
        const std::wstring uptime = monitor::uptimeText(0xFFFFFFFFu).text;
        const Row rows[] = {
            {Text::RowPublicAddress, L"255.255.255.255", 158, std::nullopt},
            {Text::RowPublicAddress, base::text(Text::IpUnreachable), 158, 144},
            {Text::RowPublicAddress, base::text(Text::IpAfterRestart), 158, 152},
            {Text::RowPublicAddress, base::text(Text::Loading), 158, std::nullopt},
            {Text::RowLanAddress, L"255.255.255.255", 160, std::nullopt},
            {Text::RowProxyServer, L"proxy.example.com:8080", 150, std::nullopt},
            {Text::RowJavaScripting, L"OFF", 150, std::nullopt},
            {Text::RowMemory, L"1048576MB/1048576MB", 143, std::nullopt},
            {Text::RowReceiveTotal, L"99GB 1023.99MB", 148, std::nullopt},
            {Text::RowUptime, uptime, 138, monitor::kUptimeValueEnd},
        };
        for (int dpi : {96, 192}) {
            painter.setDpi(dpi);
            const render::ListMetrics m{base::DpiScale{dpi}};
            for (const Row& row : rows) {
                render::ValueRow content{base::text(row.name), row.value, row.rightEdge};
                content.valueEndsAt = row.endsAt;
                std::vector<render::PlacedText> placed =
                    render::fitRowTexts(render::pictureOf(content).texts, painter, m);
                ASSERT_EQ(placed.size(), 2u);
                const Ink label = inkOf(painter, placed[0], m.rowHeight);
                const Ink value = inkOf(painter, placed[1], m.rowHeight);
                const std::wstring what =
                    placed[0].text + L" | " + placed[1].text + L" @ " + std::to_wstring(dpi);
                EXPECT_GE(value.left, 0) << what;
                EXPECT_LT(value.right, m.rowWidth) << what;
                if (placed[0].text.empty()) continue;  // gave all its room to the value
                EXPECT_LT(label.right, m.rowWidth) << what;
                EXPECT_LT(label.right + 1, value.left) << what << L": a blank column between";
            }
        }
    }
    base::setLanguage(base::Language::Japanese);
    painter.setDpi(96);
}

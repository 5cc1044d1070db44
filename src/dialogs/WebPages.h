#pragma once

#include <QString>

#include <string_view>

namespace tickora {

// The identifier PayPal's donation service gave our donation button.
inline constexpr char16_t kDonationButtonId[] = u"Q7LMX4R2VK9PA";

// Our donation page at PayPal, opened by the donation window's "Spende" button.
inline constexpr char16_t kDonationPage[] = u"https://www.paypal.com/donate?hosted_button_id=Q7LMX4R2VK9PA";

// Velmoran Software's home page, opened by the link in the About window.
inline constexpr char16_t kMakerPage[] = u"https://velmoran.software/";

static_assert(std::u16string_view(kDonationPage).ends_with(kDonationButtonId),
              "the donation page must name our own button");

// Opens one of our pages in the browser. When none takes it, the user is told
// so, with the address to copy, and the answer is false.
bool OpenWebPage(const QString &address);

} // namespace tickora

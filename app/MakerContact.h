// Where users reach the maker: the web site shown in the About box and the
// support mailbox that the About and Technical Support links write to. Kept
// here alone so that an address changes in one place.
#pragma once

namespace MakerContact {

inline constexpr char kWebSite[] = "https://www.brevantics.example/clastor";
inline constexpr char kSupportMail[] = "support@brevantics.example";
// The pages the Help menu opens.
inline constexpr char kContactPage[] = "https://www.brevantics.example/contact.html";
inline constexpr char kHomePage[] = "https://www.brevantics.example/";
inline constexpr char kDownloadPage[] = "https://www.brevantics.example/clastor/updates.html";
inline constexpr char kQuestionsPage[] = "https://www.brevantics.example/clastor/faq.html";
// The update service: the host that answers the update query and serves the
// downloads, the query's address, and the page of what each update brings.
inline constexpr char kUpdateHost[] = "www.brevantics.example";
inline constexpr char kUpdateQuery[] = "https://www.brevantics.example//IUpdate/IUpdate.dll?UpdateAvailable?";
inline constexpr char kUpdateHistoryPage[] = "https://www.brevantics.example/clastor/history.html";

// The date this program was built, as the compiler gives it ("Dec 10 2026").
const char* BuildDate();

} // namespace MakerContact

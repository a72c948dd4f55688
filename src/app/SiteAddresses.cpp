#include "app/SiteAddresses.h"

const std::string& HomePageAddress() {
    static const std::string address = VIGIL_HOME_PAGE;
    return address;
}

const std::string& UpdatePageAddress() {
    static const std::string address = HomePageAddress() + "/vigil.html";
    return address;
}

const std::string& MailAddress() {
    static const std::string address = VIGIL_MAIL_ADDRESS;
    return address;
}

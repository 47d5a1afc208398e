#include "service/EnglishServiceStrings.h"

// Statuses without an English text (34, 35, 58, 67) fall back to the generic text.
CEnglishServiceStrings::CEnglishServiceStrings()
    : StringTable{
          {300, "Error sending request\n\nError E%d"},
          {310, "Wrong username or password"},
          {311, "Wrong username or password"},
          {312, "Maximum invalid logon attempts exceeded\n\nYour account has been locked out"},
          {313, "Account is deactiveted"},
          {322, "Number is not an Velora mobile number"},
          {323, "Mobile not registered"},
          {326, "Service disabled"},
          {327, "Service not activated"},
          {328, "No recipient specified"},
          {329, "Insufficient PKCs"},
          {331, "Wrong number"},
          {332, "Service can't be (de)activated"},
          {333, "Service not active"},
          {338, "Service activation is only for postpaid customers"},
          {340, "Can not reload credit\n\nMaximum allowed credit exceeded"},
          {341, "Credit can not be reloaded until one hour since last reload"},
          {342, "Recharge for Velora Club points only for postpaid customers"},
          {343, "Can not reload credit\n\nNot enough credit on your prepaid card"},
          {344, "Recharge not possible\n\nNot enough credit on prepaid card"},
          {345, "Recharge not possible\nCan't find out prepaid credit\n\ntry again later"},
          {346, "Recharge for Velora Club points not possible\n\nInsufficient club points or no "
                "membership"},
          {348, "Mobile registration failed\n\nAlready registered"},
          {349, "Mobile registration failed\n\nWrong mobile number"},
          {359, "Daily limit of 1000 SMS messages exceeded\n\nCall toll free 12345 for more "
                "information"},
          {360, "Service already active"},
          {361, "Service activation pending\n\nTry again later"},
          {366, "Wrong version number. Please instal the latest version."},
          {400, "Error sending request\n\nError S%d"},
          {420, "Communication error\nVelora server not available"},
          {421, "Can not establish conneciton to Velora\n\nCheck your internet connection and/or "
                "settings"},
      } {}

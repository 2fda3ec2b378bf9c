// The zone of the system's time-zone database (an IANA id) for each entry of
// timeData, continent by continent in the same order, so that an entry's id
// is zoneIds[continent index][country index]. The clocks read the offsets the
// host gives for these ids; an id the host has nothing for leaves the entry
// to its own offset and rule.
//
// Where no zone matches the entry's own offset, the id is the time kept at
// the place the entry names: Urumchi keeps Beijing time by law; Eniwetok
// (Enewetak) keeps Marshall Islands time, +12 (its -12 was a date-line
// label); New Zealand(CHADT) is the Chatham Islands' time, as its name and
// its +12:45 say (its cities text names Wellington); the date line itself has
// no place and keeps a fixed -12.
var zoneIds = [
   [ // Asia
      "Asia/Brunei",                  // Brunei
      "Asia/Yangon",                  // Burma
      "Asia/Phnom_Penh",              // Cambodia
      "Asia/Shanghai",                // China
      "Asia/Hong_Kong",               // Hong kong,Macau
      "Asia/Jakarta",                 // Indonesia
      "Asia/Tokyo",                   // Japan
      "Asia/Seoul",                   // Korea
      "Asia/Vientiane",               // Laos
      "Asia/Kuala_Lumpur",            // Malaysia
      "Asia/Ulaanbaatar",             // Mongolia
      "Asia/Manila",                  // Philippines
      "Asia/Anadyr",                  // Russia(Anadyr)
      "Asia/Kamchatka",               // Russia(Kamchatka)
      "Asia/Magadan",                 // Russia(Magadan)
      "Asia/Vladivostok",             // Russia(Vladivostok)
      "Asia/Yakutsk",                 // Russia(Yakutsk)
      "Asia/Singapore",               // Singapore
      "Asia/Taipei",                  // TaiPei
      "Asia/Bangkok",                 // Thailand
      "Asia/Shanghai",                // Urumchi
      "Asia/Ho_Chi_Minh"              // Vietnam
   ],
   [ // ME, India pen.
      "Asia/Kabul",                   // Afghanistan
      "Asia/Dubai",                   // Arab Emirates
      "Asia/Bahrain",                 // Bahrain
      "Asia/Dhaka",                   // Bangladesh
      "Asia/Thimphu",                 // Bhutan
      "Asia/Nicosia",                 // Cyprus
      "Asia/Tbilisi",                 // Georgia
      "Asia/Kolkata",                 // India
      "Asia/Tehran",                  // Iran
      "Asia/Baghdad",                 // Iraq
      "Asia/Jerusalem",               // Israel
      "Asia/Amman",                   // Jordan
      "Asia/Kuwait",                  // Kuwait
      "Asia/Beirut",                  // Lebanon
      "Indian/Maldives",              // Maldives
      "Asia/Kathmandu",               // Nepal
      "Asia/Muscat",                  // Oman
      "Asia/Karachi",                 // Pakistan
      "Asia/Qatar",                   // Qatar
      "Asia/Riyadh",                  // Saudi Arabia
      "Asia/Colombo",                 // Sri Lanka
      "Asia/Damascus",                // Syria
      "Asia/Dushanbe",                // Tajikistan
      "Europe/Istanbul",              // Turkey
      "Asia/Ashgabat",                // Turkmenistan
      "Asia/Tashkent",                // Uzbekistan
      "Asia/Aden"                     // Yemen
   ],
   [ // North Europe
      "Europe/Copenhagen",            // Denmark
      "Europe/Helsinki",              // Finland
      "Atlantic/Reykjavik",           // Iceland
      "Europe/Oslo",                  // Norwegian
      "Europe/Stockholm"              // Sweden
   ],
   [ // Eastern Europe
      "Asia/Yerevan",                 // Armenia
      "Europe/Vienna",                // Austria
      "Asia/Baku",                    // Azerbaijan
      "Europe/Prague",                // Czech
      "Europe/Tallinn",               // Estonia
      "Europe/Berlin",                // Germany
      "Europe/Budapest",              // Hungarian
      "Asia/Almaty",                  // Kazakhstan(Astana)
      "Asia/Aqtobe",                  // Kazakhstan(Aqtobe)
      "Asia/Aqtau",                   // Kazakhstan(Aqtau)
      "Asia/Bishkek",                 // Kirghizia
      "Europe/Riga",                  // Latvia
      "Europe/Vilnius",               // Lithuania
      "Europe/Chisinau",              // Moldova
      "Europe/Warsaw",                // Poland
      "Europe/Bucharest",             // Rumania
      "Europe/Moscow",                // Russia(Moscow)
      "Europe/Volgograd",             // Russia(Volgograd)
      "Europe/Bratislava",            // Slovakia
      "Europe/Zurich",                // Switzerland
      "Europe/Kyiv",                  // Ukraine
      "Europe/Simferopol",            // Ukraine(Simferopol)
      "Europe/Minsk"                  // Belarus
   ],
   [ // Western Europe
      "Europe/Brussels",              // Belgium
      "Europe/Paris",                 // France
      "Europe/Dublin",                // Ireland
      "Europe/Monaco",                // Monaco
      "Europe/Amsterdam",             // Netherlands
      "Europe/Luxembourg",            // Luxembourg
      "Europe/London"                 // United Kingdom
   ],
   [ // South Europe
      "Europe/Tirane",                // Albania
      "Europe/Sofia",                 // Bulgaria
      "Europe/Athens",                // Greece
      "Europe/Vatican",               // Holy See
      "Europe/Rome",                  // Italy
      "Europe/Malta",                 // Malta
      "Europe/Lisbon",                // Portugal
      "Europe/San_Marino",            // San Marino
      "Europe/Madrid",                // Span
      "Europe/Ljubljana",             // Slovenia
      "Europe/Belgrade"               // Yugoslavia
   ],
   [ // North America
      "America/St_Johns",             // Canada(NST)
      "America/Glace_Bay",            // Canada(AST)
      "America/Toronto",              // Canada(EST)
      "America/Regina",               // Canada(CST)
      "America/Inuvik",               // Canada(MST)
      "America/Vancouver",            // Canada(PST)
      "America/New_York",             // US(Eastern)
      "America/Indiana/Indianapolis", // US(Indiana)
      "America/Chicago",              // US(Central)
      "America/Denver",               // US(Mountain)
      "America/Phoenix",              // US(Arizona)
      "America/Los_Angeles",          // US(Pacific)
      "America/Juneau"                // US(Alaska)
   ],
   [ // South America
      "America/Antigua",              // Antigua & Barbuda
      "America/Argentina/Buenos_Aires",// Argentina
      "America/Nassau",               // Bahamas
      "America/Barbados",             // Barbados
      "America/Belize",               // Belize
      "America/La_Paz",               // Bolivia
      "America/Rio_Branco",           // Brazil(AST)
      "America/Sao_Paulo",            // Brazil(EST)
      "America/Noronha",              // Brazil(FST)
      "America/Cuiaba",               // Brazil(WST)
      "America/Santiago",             // Chilean
      "America/Bogota",               // Colombia
      "America/Costa_Rica",           // Costa Rica
      "America/Havana",               // Cuba
      "America/Santo_Domingo",        // Dominican
      "America/Guayaquil",            // Ecuador
      "America/El_Salvador",          // El Salvador
      "Atlantic/Stanley",             // Falklands
      "America/Guatemala",            // Guatemala
      "America/Port-au-Prince",       // Haiti
      "America/Tegucigalpa",          // Honduras
      "America/Jamaica",              // Jamaica
      "America/Mazatlan",             // Mexico(Mazatlan)
      "America/Mexico_City",          // Mexico (capital)
      "America/Tijuana",              // Mexico (Tijuana)
      "America/Managua",              // Nicaragua
      "America/Panama",               // Panama
      "America/Asuncion",             // Paraguay
      "America/Lima",                 // Peru
      "America/St_Kitts",             // Saint Kitts & Nevis
      "America/St_Lucia",             // St. Lucia
      "America/St_Vincent",           // St. Vincent & Grenadines
      "America/Paramaribo",           // Suriname
      "America/Port_of_Spain",        // Trinidad & Tobago
      "America/Montevideo",           // Uruguay
      "America/Caracas"               // Venezuela
   ],
   [ // Africa
      "Africa/Algiers",               // Algeria
      "Africa/Luanda",                // Angola
      "Africa/Porto-Novo",            // Benin
      "Africa/Gaborone",              // Botswana
      "Africa/Bujumbura",             // Burundi
      "Africa/Douala",                // Cameroon
      "Atlantic/Cape_Verde",          // Cape Verde
      "Africa/Bangui",                // Central African
      "Africa/Ndjamena",              // Chad
      "Africa/Brazzaville",           // Congo
      "Africa/Djibouti",              // Djibouti
      "Africa/Cairo",                 // Egypt
      "Africa/Malabo",                // Equatorial Guinea
      "Africa/Addis_Ababa",           // Ethiopia
      "Africa/Libreville",            // Gabon
      "Africa/Banjul",                // Gambia
      "Africa/Accra",                 // Ghana
      "Africa/Conakry",               // Guinea
      "Africa/Abidjan",               // Ivory Coast
      "Africa/Nairobi",               // Kenya
      "Africa/Maseru",                // Lesotho
      "Africa/Monrovia",              // Liberia
      "Indian/Antananarivo",          // Madagascar
      "Africa/Blantyre",              // Malawi
      "Africa/Bamako",                // Mali
      "Africa/Nouakchott",            // Mauritania
      "Indian/Mauritius",             // Mauritius
      "Africa/Casablanca",            // Morocco
      "Africa/Maputo",                // Mozambique
      "Africa/Windhoek",              // Namibia
      "Africa/Niamey",                // Niger
      "Africa/Lagos",                 // Nigeria
      "Africa/Kigali",                // Rwanda
      "Africa/Sao_Tome",              // Sao Tome
      "Africa/Dakar",                 // Senegal
      "Africa/Freetown",              // Sierra Leone
      "Africa/Mogadishu",             // Somalia
      "Africa/Johannesburg",          // South Africa
      "Africa/Khartoum",              // Sudan
      "Africa/Dar_es_Salaam",         // Tanzania
      "Africa/Lome",                  // Togo
      "Africa/Tunis",                 // Tunisia
      "Africa/Kampala",               // Uganda
      "Africa/Kinshasa",              // Zaire
      "Africa/Lusaka",                // Zambia
      "Africa/Harare"                 // Zimbabwe
   ],
   [ // Oceania
      "Pacific/Pago_Pago",            // American Samoa(US)
      "Australia/Adelaide",           // Aus.(Adelaide)
      "Australia/Brisbane",           // Aus.(Brisbane)
      "Australia/Darwin",             // Aus.(Darwin)
      "Australia/Hobart",             // Aus.(Hobart)
      "Australia/Perth",              // Aus.(Perth)
      "Australia/Sydney",             // Aus.(Sydney)
      "Pacific/Rarotonga",            // Cook Islands(NZ)
      "Pacific/Majuro",               // Eniwetok
      "Pacific/Fiji",                 // Fiji
      "Pacific/Guam",                 // Guam
      "Pacific/Honolulu",             // Hawaii(US)
      "Pacific/Tarawa",               // Kiribati
      "Pacific/Majuro",               // Marshall Is.
      "Pacific/Pohnpei",              // Micronesia
      "Pacific/Midway",               // Midway Is.(US)
      "Pacific/Nauru",                // Nauru Rep.
      "Pacific/Noumea",               // New Calednia(FR)
      "Pacific/Auckland",             // New Zealand
      "Pacific/Chatham",              // New Zealand(CHADT)
      "Pacific/Niue",                 // Niue(NZ)
      "Pacific/Saipan",               // Nor. Mariana Is.
      "Pacific/Palau",                // Palau
      "Pacific/Port_Moresby",         // Papua New Guinea
      "Pacific/Pitcairn",             // Pitcairn Is.(UK)
      "Pacific/Tahiti",               // Polynesia(FR)
      "Pacific/Guadalcanal",          // Solomon Is.
      "Pacific/Tahiti",               // Tahiti
      "Pacific/Fakaofo",              // Tokelau(NZ)
      "Pacific/Tongatapu",            // Tonga
      "Pacific/Funafuti",             // Tuvalu
      "Pacific/Apia",                 // Western Samoa
      "Etc/GMT+12"                    // (date line)
   ]
];

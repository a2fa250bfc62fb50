# Writes Appoggio\GoverAnno.txt, the rulers of the years and of their 36-year cycles:
#   cmake -DOUTPUT=<file> -P BuildGoverAnno.cmake
# One line for each year from 1765 to 2016, ended by CR LF: the year (4 digits), the planet
# number of the year's ruler (2 digits), the planet number of the ruler of its cycle
# (2 digits), and nothing after them.
#
# The rule. Only the seven classical planets rule, taken in the Chaldean order of their
# spheres from the outermost: Saturn 7, Jupiter 6, Mars 5, Sun 1, Venus 4, Mercury 3,
# Moon 2 (the program's planet numbers). Every year hands the rule to the next planet of
# that order, and every cycle of 36 years hands the rule of the cycle to the next planet of
# the same order. 252 years are seven cycles of 36 years, and 252 is also a multiple of 7,
# so both sequences start over after 252 years; this is why the program maps any year into
# 1765-2016 by whole periods of 252 years.
#
# The anchor. The cycles are counted from the year 1, the years 1-36 making the first
# cycle, under Saturn: the popular tradition of "rulers of the cycle" counts its 36-year
# cycles from the year 1 with Saturn first, and the program's own mapping treats the year 1
# as the first year of the table. 1765 = 1 + 49 * 36 then opens a cycle of Saturn as well,
# so the table holds exactly one round of the seven cycles. The years are counted from the
# same year 1 under Saturn; since 36 = 5 * 7 + 1, the first year of every cycle is then
# ruled by the cycle's own planet, as that tradition also has it.
#
# Other tables are in use: that tradition takes its cycles in another order (Saturn, Venus,
# Jupiter, Mercury, Mars, Moon, Sun) and starts the years of each cycle afresh, and the
# Hundred-year calendar of the farmers' almanacs continues the yearly order with Saturn in
# 2014 (year_anchor 2014 below).

if(NOT OUTPUT)
    message(FATAL_ERROR "OUTPUT is not set")
endif()

set(first_year 1765)
set(last_year 2016)
set(cycle_years 36)
set(year_order 7 6 5 1 4 3 2)  # Chaldean order, Saturn first
set(cycle_order 7 6 5 1 4 3 2)
set(year_anchor 1)   # a year ruled by the first planet of year_order
set(cycle_anchor 1)  # the first year of a cycle ruled by the first planet of cycle_order

set(content "")
foreach(year RANGE ${first_year} ${last_year})
    math(EXPR year_index "(${year} - ${year_anchor}) % 7")
    math(EXPR cycle_index "((${year} - ${cycle_anchor}) / ${cycle_years}) % 7")
    list(GET year_order ${year_index} year_planet)
    list(GET cycle_order ${cycle_index} cycle_planet)
    string(APPEND content "${year}0${year_planet}0${cycle_planet}\r\n")
endforeach()

# Written beside the file and renamed over it, so a reader never sees half a table.
file(WRITE "${OUTPUT}.tmp" "${content}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")

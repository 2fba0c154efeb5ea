#!/usr/bin/env bash
# zenolune-ephem end to end: the worked example, a failing date, the timetable.
set -u
tool="$1"
fail=0
check() {   # check NAME EXPECTED-STATUS PATTERN... -- ARGS...
    local name="$1" status="$2"; shift 2
    local patterns=()
    while [ "$1" != "--" ]; do patterns+=("$1"); shift; done
    shift
    local out rc
    out=$(LC_ALL=C "$tool" "$@" 2>&1); rc=$?
    if [ "$rc" -ne "$status" ]; then
        echo "FAIL $name: exit $rc, expected $status"; echo "$out" | head -5; fail=1; return
    fi
    for p in "${patterns[@]}"; do
        if ! grep -qF -- "$p" <<<"$out"; then
            echo "FAIL $name: missing $p"; echo "$out" | head -5; fail=1; return
        fi
    done
    echo "ok   $name"
}

check worked-example 0 \
    '"jourjuli": "2451545"' '"datetu": "01/01/2000 12:00:00"' '"caption2": "Zenolune    01/01/2000 12:00:00"' \
    '"syst1": "196,470715217292"' '"syst2": "172,919658642262"' '"JD": "2451545,00063979"' \
    '"X1": -1.3102381115508852' '"Y1": 0.28982518089096243' '"X4": 21.356084526104663' \
    '"InfoEuropePa": "Passage"' '{"scene": "main", "x": 4271.217, "y": 155.9742, "radius": 14, "rgb": [255, 0, 0]}' \
    -- --locale fr_FR "01/01/2000 12:00:00"
check flips 0 '{"scene": "main", "x": -4271.217, "y": 155.9742' '{"scene": "reduced", "x": 1708.4868, "y": -62.38968' \
    -- --locale fr_FR --flip-main 1,0 --flip-reduced 0,1 "01/01/2000 12:00:00"
check offset 0 '"jourjuli": "2451545"' '"datetu": "01/01/2000 12:00:00"' \
    -- --locale fr_FR --offset -1 "01/01/2000 13:00:00"
check bad-date-goes-on 1 \
    '{"date": "abc", "offset": "0", "error": {"number": 13, "message": "Incompatibilité de type"}}' \
    '"jourjuli": "2451545"' \
    -- --locale fr_FR abc "01/01/2000 12:00:00"
check out-of-range 1 '"error": {"number": 5, "message": "Argument ou appel de procédure incorrect"}' \
    -- --locale fr_FR --offset 1 "31/12/9999 23:30:00"
check english 0 '"jourjuli": "2451545.04166667"' '"datetu": "01/31/2000 01:00:00"' \
    -- --locale en_US "01/31/2000 01:00:00" "01/01/2000 13:00:00"
check steps 0 '"date": "03/12/2024 18:00:00"' '"date": "03/12/2024 18:30:00"' '"date": "03/12/2024 19:00:00"' \
    -- --locale fr_FR --from "03/12/2024 18:00:00" --to "03/12/2024 19:00:00" --step 30n
check events 0 \
    '{"satellite": "Io", "phenomenon": "Ombre", "change": "début", "date": "03/12/2024 20:32:42"' \
    '{"satellite": "Io", "phenomenon": "Passage", "change": "fin", "date": "03/12/2024 22:50:01"' \
    -- --locale fr_FR --events --from "03/12/2024 18:00:00" --to "04/12/2024 06:00:00"
check events-csv 0 'satellite,phenomene,changement,date,datetu,label' \
    'Io,Ombre,début,03/12/2024 21:32:42,03/12/2024 20:32:42,InfoIoOm' \
    -- --locale fr_FR --events --csv --offset -1 --satellite Io --from "03/12/2024 19:00:00" --to "04/12/2024 07:00:00"
check precise 0 '"theory": "precise"' '"InfoIoOm": "Ombre"' '"omega3": ' \
    -- --locale fr_FR --theory precise "02/01/2016 13:05:00"
check l12 0 '"theory": "l12"' -- --locale fr_FR --theory l12 "02/01/2016 13:05:00"
check precise-range 0 '"theory": "precise"' '"warning": "date hors de 1850-2150' \
    -- --locale fr_FR --theory precise "01/01/1700 00:00:00"
check precise-events 0 '# théorie précise (L1.2 telle que publiée, VSOP87, UAI) ; contacts du centre du satellite' \
    'Io,Ombre,début,02/01/2016 13:00:21' 'Io,Passage,fin,02/01/2016 16:24:44' \
    -- --locale fr_FR --theory l12 --events --csv --satellite Io --from "02/01/2016 12:00:00" --to "02/01/2016 17:00:00"
check precise-events-range 0 'avertissement : date hors de 1850-2150' \
    -- --locale fr_FR --theory precise --events --satellite Io --from "01/01/1700 00:00:00" --to "02/01/1700 00:00:00"
check bad-theory 2 'théorie inconnue' -- --theory meeus "01/01/2000 12:00:00"
check events-site-grs 0 \
    'Io,Ombre,début,03/12/2024 21:32:42,03/12/2024 20:32:42,InfoIoOm,non,41.17,-44.47,oui' \
    ',Tache Rouge,passage,' 'Lieu : 48,85° N, 2,35° E, 35 m' \
    -- --locale fr_FR --events --csv --offset -1 --grs 57,2024-07-01,1.5 --site 48.85,2.35,35 \
       --from "03/12/2024 19:00:00" --to "04/12/2024 07:00:00"
check bad-site 2 'latitude' -- --events --site 91,0 --from 03/12/2024 --to 04/12/2024
check bad-grs 2 'formes attendues : Jour/Mois/Année ou AAAA-MM-JJ' -- --events --grs 57,hier,1.5 --from 03/12/2024 --to 04/12/2024
check grs-french-epoch 0 '"phenomenon": "Tache Rouge", "change": "passage", "date": "03/12/2024 02:56:47"' -- --events --grs 57,01/07/2024,1.5 --from 03/12/2024 --to 04/12/2024
check empty-range 1 'La période est vide' -- --events --from "03/12/2024 18:00:00" --to "03/12/2024 18:00:00"
# A decimal comma is two numbers: the place understood says so.
check site-understood 0 'Lieu : 48,00° N, 85,00° E, 0 m' -- --events --site 48,85 --from 03/12/2024 --to 04/12/2024
# Near opposition: Io's occultation begins in the eclipse, the eclipse ends behind the disc.
check hidden 0 '"change": "début", "date": "09/12/2026 06:52:33", "datetu": "09/12/2026 06:52:33", "label": "InfoIoOc", "hidden": true' \
    '"label": "InfoIoEc", "hidden": true, "jupiter_altitude": 35.31, "sun_altitude": 2.77, "observable": false' \
    -- --locale fr_FR --events --satellite Io --site 48.85,2.35,35 --from "09/12/2026 05:00:00" --to "09/12/2026 09:00:00"
check night 0 '{"start_ut": "15/01/2026 16:21:37", "end_ut": "16/01/2026 07:38:02", "kind": "night"}' \
    -- --locale fr_FR --night --site 48.85,2.35,35 --at "15/01/2026 16:20:30"
check midnight-sun 0 '"kind": "midnight_sun"' -- --locale fr_FR --night --site 69.65,18.96 --at "18/05/2026 16:43:00"
check night-needs-site 2 '--night demande --site' -- --night
# The month's chart without a display, and the timetable as a calendar.
dir=$(mktemp -d); trap 'rm -rf "$dir"' EXIT
check chart-pdf 0 -- --locale fr_FR --chart 2025-03 --out "$dir/mars.pdf" --site 48.85,2.35,35 --grs 57,2024-07-01,1.5
check chart-svg 0 -- --locale fr_FR --theory precise --offset -1 --flip-main 1,0 --chart 2025-03 --out "$dir/mars.svg"
for f in mars.pdf mars.svg; do
    [ -s "$dir/$f" ] || { echo "FAIL chart: $f not written"; fail=1; }
done
head -c 5 "$dir/mars.pdf" | grep -q '%PDF-' || { echo "FAIL chart-pdf: not a PDF"; fail=1; }
grep -q 'mars 2025' "$dir/mars.svg" || { echo "FAIL chart-svg: no month in the SVG"; fail=1; }
check chart-bad-month 1 'année du graphique' -- --chart 0099-12 --out "$dir/x.pdf"
check chart-bad-extension 1 'extension inconnue' -- --chart 2025-03 --out "$dir/x.doc"
check chart-unwritable 1 'Impossible d' -- --chart 2025-03 --out "$dir/absent/x.png"
[ ! -e "$dir/x.pdf" ] && [ ! -e "$dir/x.doc" ] || { echo "FAIL chart: a file was left on failure"; fail=1; }
check events-ics 0 'Io,Ombre,début' -- --locale fr_FR --events --csv --satellite Io --site 48.85,2.35,35 \
    --from "03/12/2024 19:00:00" --to "04/12/2024 07:00:00" --ics "$dir/nuit.ics"
[ "$(grep -c 'BEGIN:VEVENT' "$dir/nuit.ics")" = 4 ] || { echo "FAIL events-ics: 4 events expected"; fail=1; }
grep -q $'DTSTART:20241203T203242Z\r' "$dir/nuit.ics" || { echo "FAIL events-ics: Io's shadow at 20:32:42 UT"; fail=1; }
check ics-empty 1 'La période est vide' -- --events --from "03/12/2024 19:00:00" --to "03/12/2024 19:00:00" --ics "$dir/vide.ics"
[ ! -e "$dir/vide.ics" ] || { echo "FAIL ics-empty: a file was written"; fail=1; }
check ics-alone 2 '--ics va avec --events' -- --ics "$dir/y.ics" "01/01/2000 12:00:00"
check mutual 0 \
    '{"code": "1O2", "type": "occultation", "kind": "partial", "start_ut": "02/02/2015 03:29:33", "max_ut": "02/02/2015 03:31:21", "end_ut": "02/02/2015 03:33:09"' \
    '"target_in_jupiter_shadow": true' '"code": "3O2", "type": "occultation", "kind": "total"' '"observable": false' \
    -- --locale fr_FR --theory l12 --mutual --site 48.85,2.35,35 --from "02/02/2015 00:00:00" --to "02/02/2015 12:00:00"
check mutual-sigma 0 '"max_ut_sigma_s": ' -- --mutual --from "02/02/2015 00:00:00" --to "02/02/2015 12:00:00"
check mutual-csv 0 'code,type,kind,start_ut,max_ut,end_ut,duration_s,impact_km' \
    '3E2,eclipse,partial,09/08/2021 03:36:30,09/08/2021 04:13:02,09/08/2021 04:43:59' \
    -- --locale fr_FR --theory l12 --mutual --csv --from "09/08/2021 00:00:00" --to "09/08/2021 06:00:00"
check lightcurve 0 '# 1O2 occultation partial, maximum 02/02/2015 03:31:21 TU' 'ut,t_s,flux' \
    -- --locale fr_FR --theory l12 --lightcurve "1O2,02/02/2015 03:31:00"
check lightcurve-bad-code 2 'CODE,DATE' -- --lightcurve "5O2,02/02/2015 03:31:00"
check lightcurve-no-event 1 'aucun phénomène 1O2' -- --locale fr_FR --lightcurve "1O2,01/01/2018 00:00:00"
# The predicted curve read back as an observation: O-C zero; a file of words refused.
curve="$dir/courbe.csv" words="$dir/mots.csv"
"$tool" --theory l12 --lightcurve "3E2,02/12/2026 21:47:00" >"$curve"
printf 'Bonjour,\nceci,nest pas une courbe\n' >"$words"
check reduce 0 '"code": "3E2"' '"converged": true' '"predicted_max_ut": "02/12/2026 21:47:31.5"' \
    '"observed_max_ut": "02/12/2026 21:47:31.5"' '"points": 601' '"topocentric": true' '"sun_altitude": -55.13' \
    -- --locale fr_FR --theory l12 --reduce "$curve" --event "3E2,02/12/2026 21:47:00" --site 48.85,2.35,35
check reduce-inverted 1 '"converged": false' '"why": "la courbe s' \
    -- --locale fr_FR --theory l12 --reduce "$curve" --event "3E2,02/12/2026 21:47:00" --magnitudes
check reduce-bad-file 1 "pas une courbe de lumière" -- --locale fr_FR --reduce "$words" --event "3E2,02/12/2026 21:47:00"
check reduce-no-event 1 'aucun phénomène 1O2' -- --locale fr_FR --reduce "$curve" --event "1O2,02/12/2026 21:47:00"
# What the companion prints, it reads back, in its own form under any LANG and with each --locale.
for l in fr_FR en_US en_GB de_DE; do
    row=$(LC_ALL=C "$tool" --locale "$l" --mutual --csv --from 2026-12-02 --to 2026-12-03 | grep '^3E2,')
    max=$(cut -d, -f5 <<<"$row")
    check "round-trip-$l" 0 "# 3E2 eclipse" -- --locale "$l" --lightcurve "3E2,$max"
    start=$(LC_ALL=C "$tool" --locale "$l" --night --site 48.85,2.35 --at 2026-01-15T12:00:00 | sed 's/.*"start_ut": "\([^"]*\)".*/\1/')
    check "night-round-trip-$l" 0 "\"start_ut\": \"$start\"" -- --locale "$l" --night --site 48.85,2.35 --at "$start"
done
season() { LANG="$1" LC_ALL= LANGUAGE= "$tool" --mutual --csv --from 01/08/2026 --to 01/11/2027; }
fr_season=$(season fr_FR.UTF-8); us_season=$(season en_US.UTF-8)
[ "$fr_season" = "$us_season" ] && [ "$(wc -l <<<"$fr_season")" -gt 250 ] \
    || { echo "FAIL season: the same arguments give other events under en_US"; fail=1; }
! grep -qE '(^|,)-0(\.0+)?(,|$)' <<<"$fr_season" || { echo "FAIL season: -0 printed"; fail=1; }
check offset-unreadable 2 '--offset' '5,5' -- --offset abc "01/01/2000 12:00:00"
check offset-beyond 2 '--offset' '14' -- --offset 15 "01/01/2000 12:00:00"
check offset-point 0 '"offset": "5,5"' -- --offset 5.5 "01/01/2000 12:00:00"
check long-step 0 'avertissement : le pas 3h' -- --events --step 3h --from 03/12/2024 --to 04/12/2024
check night-10000 1 '9999' -- --night --site 48.85,2.35 --at "31/12/9999 20:00:00"
check reduce-cap 1 'trop grand' -- --reduce /dev/zero --event "3E2,02/12/2026 21:47:00"
check reduce-pipe-cap 1 'trop grand' -- --reduce <(yes 2461377.4,1) --event "3E2,02/12/2026 21:47:00"
# Enormous uncertainties make the reduced chi-square subnormal: printed, not thrown at.
awk -F, 'NR == 2 { print $0 ",sigma"; next } NR > 2 { print $0 ",1e150"; next } { print }' "$curve" >"$dir/tiny.csv"
check reduce-subnormal-chi2 0 '"converged": true' '"reduced_chi2": 0' -- --reduce "$dir/tiny.csv" --event "3E2,02/12/2026 21:47:00"
out=$(LANGUAGE=en LANG=en_US.UTF-8 "$tool" --reduce /nope.csv --event "3E2,02/12/2026 21:47:00" 2>&1)
grep -q 'does not exist' <<<"$out" || { echo "FAIL english-messages: $out"; fail=1; }
# Mutual approximations: a day's list, and a track of distances made from the prediction read back (O-C nearly 0).
check approx 0 '"code":"1A3"' '"central_ut":"2026-03-01T20:36:1' '"topocentric":true' \
    -- --locale fr_FR --approx --from "01/03/2026 00:00:00" --to "02/03/2026 00:00:00" --site 48.85,2.35,35
check approx-csv 0 'code,instant_central_tu,distance_arcsec' '1A3,2026-03-01T20:36:1' \
    -- --approx --csv --from "01/03/2026 00:00:00" --to "02/03/2026 00:00:00"
check approx-bad-threshold 1 'distance maximale' -- --locale fr_FR --approx --max-distance 500 --from 01/03/2026 --to 02/03/2026
track="$dir/piste.csv"
awk 'BEGIN { print "jd,distance"; t0 = 2461101.35846759; for (i = -60; i <= 60; i++) {
    s = i * 10; printf "%.8f,%.5f\n", t0 + s / 86400, sqrt(11.5955 ^ 2 + (0.00814 * s) ^ 2) } }' >"$track"
check approx-reduce 0 '"code":"1A3"' '"converged":true' '"observed_central_ut":"2026-03-01T20:36:11.6"' \
    -- --locale fr_FR --reduce "$track" --approx "1A3,01/03/2026 20:30:00" --site 48.85,2.35,35
head -5 "$track" >"$dir/courte.csv"
check approx-reduce-short 1 'trop peu de points' -- --locale fr_FR --reduce "$dir/courte.csv" --approx "1A3,01/03/2026 20:30:00"
check help 0 'Usage' '--events' '--grs' '--site' '--theory' '--mutual' '--lightcurve' '--chart' '--ics' '--reduce' '--night' '--approx' '--max-distance' -- --help
check usage 2 'aucune date' --

exit $fail

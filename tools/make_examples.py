#!/usr/bin/env python3
"""Writes the example systems under examples/ from published figures.

Run from the top of the repository:  python3 tools/make_examples.py
examples/README.md names the source of every figure used here.

The files are written in the layout the program's own save writes (CRLF line
ends, numbers in its scientific form with at most 15 significant digits), so
that loading and saving an example gives back the same bytes.
"""

import math
from pathlib import Path

G = 6.67259e-11                  # the simulator's gravitational constant
AU = 149_597_870_700.0           # metres (IAU 2012)
DAY = 86400.0
START_DATE = "1/1/2000"          # J2000.0; the file keeps no time of day

# NASA Sun Fact Sheet: mass 1,988,500 x 10^24 kg, volumetric mean radius 695,700 km.
SUN_MASS = 1.9885e30
SUN_RADIUS = 6.957e8

# NASA Planetary Fact Sheet (metric): mass in 10^24 kg, diameter in km.
FACT_SHEET = {
    "Mercury": (0.330, 4879),
    "Venus": (4.87, 12104),
    "Earth": (5.97, 12756),
    "Moon": (0.073, 3475),
    "Mars": (0.642, 6792),
    "Jupiter": (1898, 142984),
    "Saturn": (568, 120536),
    "Uranus": (86.8, 51118),
    "Neptune": (102, 49528),
    "Pluto": (0.0130, 2376),
}

# JPL "Keplerian Elements for Approximate Positions of the Major Planets"
# (E.M. Standish), Table 1, values at J2000.0, mean ecliptic and equinox of
# J2000: a (AU), e, I (deg), L mean longitude (deg), longitude of perihelion
# (deg), longitude of the ascending node (deg).
ELEMENTS = {
    "Mercury": (0.38709927, 0.20563593, 7.00497902, 252.25032350, 77.45779628, 48.33076593),
    "Venus": (0.72333566, 0.00677672, 3.39467605, 181.97909950, 131.60246718, 76.67984255),
    "EM Bary": (1.00000261, 0.01671123, -0.00001531, 100.46457166, 102.93768193, 0.0),
    "Mars": (1.52371034, 0.09339410, 1.84969142, -4.55343205, -23.94362959, 49.55953891),
    "Jupiter": (5.20288700, 0.04838624, 1.30439695, 34.39644051, 14.72847983, 100.47390909),
    "Saturn": (9.53667594, 0.05386179, 2.48599187, 49.95424423, 92.59887831, 113.66242448),
    "Uranus": (19.18916464, 0.04725744, 0.77263783, 313.23810451, 170.95427630, 74.01692503),
    "Neptune": (30.06992276, 0.00859048, 1.77004347, -55.12002969, 44.96476227, 131.78422574),
    "Pluto": (39.48211675, 0.24882730, 17.14001206, 238.92903833, 224.06891629, 110.30393684),
}

# The Moon's mean orbit. NASA Moon Fact Sheet: semi-major axis 384,400 km,
# eccentricity 0.0549, inclination to the ecliptic 5.145 deg. Mean longitude,
# mean anomaly and ascending node at J2000.0 from J. Meeus, Astronomical
# Algorithms (2nd ed.), chapter 47.
MOON_ORBIT = dict(a=3.844e8, e=0.0549, inclination=5.145,
                  mean_longitude=218.3164477, mean_anomaly=134.9633964, node=125.0445479)


def rgb(red, green, blue):
    """A colour as the program stores it: red + 256 * green + 65536 * blue."""
    return red + 256 * green + 65536 * blue


# Pleasant colours: (body, trail).
COLOURS = {
    "Sun": (rgb(255, 230, 80), rgb(128, 110, 30)),
    "Mercury": (rgb(190, 180, 170), rgb(95, 90, 85)),
    "Venus": (rgb(240, 220, 160), rgb(120, 110, 80)),
    "Earth": (rgb(80, 150, 255), rgb(40, 75, 128)),
    "Moon": (rgb(210, 210, 210), rgb(105, 105, 105)),
    "Mars": (rgb(235, 110, 60), rgb(118, 55, 30)),
    "Jupiter": (rgb(230, 180, 120), rgb(115, 90, 60)),
    "Saturn": (rgb(240, 210, 130), rgb(120, 105, 65)),
    "Uranus": (rgb(140, 230, 240), rgb(70, 115, 120)),
    "Neptune": (rgb(70, 110, 255), rgb(35, 55, 128)),
    "Pluto": (rgb(200, 160, 130), rgb(100, 80, 65)),
}


class Body:
    def __init__(self, name, mass, diameter, position, velocity, colours, parent="(none)"):
        self.name = name
        self.mass = mass
        self.diameter = diameter
        self.position = position
        self.velocity = velocity
        self.hi_color, self.lo_color = colours
        self.parent = parent


def sci_format(value):
    """The program's "#.0##############E+##": 15 significant digits at most,
    trailing zeros dropped, "0.0E+0" for zero, "5.0E+0" for exponent 0."""
    if value == 0:
        return "0.0E+0"
    mantissa, exponent = f"{value:.14e}".split("e")
    whole, fraction = mantissa.split(".")
    fraction = fraction.rstrip("0") or "0"
    exponent = int(exponent)
    return f"{whole}.{fraction}E{'+' if exponent >= 0 else '-'}{abs(exponent)}"


def stored(value):
    """The value as the file keeps it, so that every later sum uses it too."""
    return float(sci_format(value))


def kepler_state(mu, a, e, inclination, node, argument_of_periapsis, mean_anomaly):
    """Position (m) and velocity (m/s) on a Kepler orbit; angles in degrees,
    a in metres, mu = G * (sum of the two masses)."""
    i, big_omega, omega = (math.radians(x) for x in (inclination, node, argument_of_periapsis))
    m = math.remainder(math.radians(mean_anomaly), 2 * math.pi)
    eccentric = m + e * math.sin(m)
    for _ in range(50):
        eccentric -= (eccentric - e * math.sin(eccentric) - m) / (1 - e * math.cos(eccentric))
    root = math.sqrt(1 - e * e)
    x_orbit = a * (math.cos(eccentric) - e)
    y_orbit = a * root * math.sin(eccentric)
    rate = math.sqrt(mu / a**3) / (1 - e * math.cos(eccentric))
    vx_orbit = -a * math.sin(eccentric) * rate
    vy_orbit = a * root * math.cos(eccentric) * rate

    cw, sw, cn, sn, ci, si = (math.cos(omega), math.sin(omega), math.cos(big_omega),
                              math.sin(big_omega), math.cos(i), math.sin(i))

    def to_ecliptic(x, y):
        return ((cw * cn - sw * sn * ci) * x + (-sw * cn - cw * sn * ci) * y,
                (cw * sn + sw * cn * ci) * x + (-sw * sn + cw * cn * ci) * y,
                (sw * si) * x + (cw * si) * y)

    return to_ecliptic(x_orbit, y_orbit), to_ecliptic(vx_orbit, vy_orbit)


def planet_state(name, mass):
    """Heliocentric state of a planet (or of the Earth-Moon barycentre) at J2000.0."""
    a, e, inclination, mean_longitude, perihelion, node = ELEMENTS[name]
    return kepler_state(G * (SUN_MASS + mass), a * AU, e, inclination, node,
                        perihelion - node, mean_longitude - perihelion)


def moon_geocentric():
    """The Moon's position and velocity relative to the Earth at J2000.0."""
    earth, moon = mass_of("Earth"), mass_of("Moon")
    orbit = MOON_ORBIT
    perigee = orbit["mean_longitude"] - orbit["mean_anomaly"]
    return kepler_state(G * (earth + moon), orbit["a"], orbit["e"], orbit["inclination"],
                        orbit["node"], perigee - orbit["node"], orbit["mean_anomaly"])


def mass_of(name):
    return stored(FACT_SHEET[name][0] * 1e24)


def diameter_of(name):
    return stored(FACT_SHEET[name][1] * 1e3)


def scaled(vector, factor):
    return tuple(component * factor for component in vector)


def added(a, b):
    return tuple(x + y for x, y in zip(a, b))


def fact_sheet_body(name, position, velocity, parent="(none)"):
    return Body(name, mass_of(name), diameter_of(name), position, velocity, COLOURS[name], parent)


def solar_system():
    bodies = [Body("Sun", SUN_MASS, 2 * SUN_RADIUS, (0.0, 0.0, 0.0), (0.0, 0.0, 0.0), COLOURS["Sun"])]
    earth, moon = mass_of("Earth"), mass_of("Moon")
    for name in ("Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"):
        if name == "Earth":
            # The table gives the Earth-Moon barycentre; the Moon's mean orbit splits it.
            bary_position, bary_velocity = planet_state("EM Bary", earth + moon)
            moon_position, moon_velocity = moon_geocentric()
            earth_share, moon_share = moon / (earth + moon), earth / (earth + moon)
            bodies.append(fact_sheet_body(
                "Earth", added(bary_position, scaled(moon_position, -earth_share)),
                added(bary_velocity, scaled(moon_velocity, -earth_share)), "Sun"))
            bodies.append(fact_sheet_body(
                "Moon", added(bary_position, scaled(moon_position, moon_share)),
                added(bary_velocity, scaled(moon_velocity, moon_share)), "Earth"))
        else:
            position, velocity = planet_state(name, mass_of(name))
            bodies.append(fact_sheet_body(name, position, velocity, "Sun"))
    return bodies


def earth_and_moon():
    moon_position, moon_velocity = moon_geocentric()
    return [fact_sheet_body("Earth", (0.0, 0.0, 0.0), (0.0, 0.0, 0.0)),
            fact_sheet_body("Moon", moon_position, moon_velocity, "Earth")]


def moon_stopped():
    """The Moon halted at its mean distance: it falls onto the Earth in about five days."""
    return [fact_sheet_body("Earth", (0.0, 0.0, 0.0), (0.0, 0.0, 0.0)),
            fact_sheet_body("Moon", (MOON_ORBIT["a"], 0.0, 0.0), (0.0, 0.0, 0.0), "Earth")]


def binary_star():
    """Alpha Centauri A and B at periastron, each with an invented Earth-like planet
    on a circular orbit; the pair's orbit lies in the X-Y plane."""
    mass_a, mass_b = stored(1.1055 * SUN_MASS), stored(0.9373 * SUN_MASS)
    a, e = 23.5 * AU, 0.52
    separation = a * (1 - e)
    relative_speed = math.sqrt(G * (mass_a + mass_b) * (1 + e) / separation)
    share_a, share_b = mass_b / (mass_a + mass_b), mass_a / (mass_a + mass_b)
    star_a_position, star_a_velocity = (-separation * share_a, 0.0, 0.0), (0.0, -relative_speed * share_a, 0.0)
    star_b_position, star_b_velocity = (separation * share_b, 0.0, 0.0), (0.0, relative_speed * share_b, 0.0)
    earth_mass, earth_diameter = mass_of("Earth"), diameter_of("Earth")

    def planet(name, star_mass, star_position, star_velocity, radius, colours, parent):
        speed = math.sqrt(G * (star_mass + earth_mass) / radius)
        return Body(name, earth_mass, earth_diameter, added(star_position, (0.0, radius, 0.0)),
                    added(star_velocity, (-speed, 0.0, 0.0)), colours, parent)

    return [
        Body("Alpha Centauri A", mass_a, stored(2 * 1.2234 * SUN_RADIUS), star_a_position, star_a_velocity,
             (rgb(255, 240, 170), rgb(128, 120, 85))),
        Body("Alpha Centauri B", mass_b, stored(2 * 0.8632 * SUN_RADIUS), star_b_position, star_b_velocity,
             (rgb(255, 170, 90), rgb(128, 85, 45)), "Alpha Centauri A"),
        planet("Alpha Centauri Ab", mass_a, star_a_position, star_a_velocity, 1.25 * AU,
               (rgb(110, 200, 255), rgb(55, 100, 128)), "Alpha Centauri A"),
        planet("Alpha Centauri Bb", mass_b, star_b_position, star_b_velocity, 0.7 * AU,
               (rgb(150, 255, 150), rgb(75, 128, 75)), "Alpha Centauri B"),
    ]


def system_file(bodies):
    lines = ["[System]"]
    lines += [f"{n}={body.name}" for n, body in enumerate(bodies, start=1)]
    lines += ["[General]", f"TotalBodies={len(bodies)}", f"StartDate={START_DATE}"]
    for body in bodies:
        lines.append(f"[{body.name}]")
        lines.append(f"Mass={sci_format(body.mass)}")
        lines.append(f"Diameter={sci_format(body.diameter)}")
        for key, value in zip(("X", "Y", "Z"), body.position):
            lines.append(f"{key}={sci_format(value)}")
        for key, value in zip(("VX", "VY", "VZ"), body.velocity):
            lines.append(f"{key}={sci_format(value)}")
        lines += [f"HiColor={body.hi_color}", f"LoColor={body.lo_color}",
                  "Lightweight=N", "Locked=N", f"Parent={body.parent}"]
    return "".join(line + "\r\n" for line in lines)


def main():
    folder = Path(__file__).resolve().parent.parent / "examples"
    systems = {"Solar.kmx": solar_system(), "EarthMoon.kmx": earth_and_moon(),
               "BinaryStar.kmx": binary_star(), "Collision.kmx": moon_stopped()}
    for file_name, bodies in systems.items():
        (folder / file_name).write_bytes(system_file(bodies).encode("utf-8"))
        print(f"wrote examples/{file_name}: {len(bodies)} bodies")


if __name__ == "__main__":
    main()

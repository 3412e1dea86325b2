"""Where the window should put things, worked out from the gear formulas alone.

The end-to-end tests compare screenshots with these numbers, so they are derived
here from first principles (module 1, 20 degree rack, addendum 1 + x, dedendum
1.25 - x) rather than read from the program's report: a fault in the program's
geometry then shows up as a picture that does not match, instead of a picture
that agrees with a wrong report.

Model frame as the window shows it: pitch point at the origin, gear 1 centred
below it, gear 2 above, line of action through the origin along (-cos a, sin a).
"""

import math

ALPHA0 = math.pi / 9.0


def involute(a):
    return math.tan(a) - a


def working_pressure_angle(z1, z2, x1, x2):
    """Angle whose involute is inv(a0) + 2 tan(a0) (x1 + x2) / (z1 + z2)."""
    target = involute(ALPHA0) + 2.0 * math.tan(ALPHA0) * (x1 + x2) / (z1 + z2)
    if target <= 0.0:
        return None
    a = ALPHA0
    for _ in range(100):
        f = involute(a) - target
        # d/da (tan a - a) = tan^2 a
        step = f / (math.tan(a) ** 2)
        a -= step
        a = min(max(a, 1e-6), math.pi / 2 - 1e-6)
        if abs(step) < 1e-15:
            break
    return a


class Gear:
    """One gear placed in a pair: its radii and its centre in the model frame."""

    def __init__(self, z, x, pitch_radius, centre_y):
        self.z = z
        self.x = x
        self.r0 = z / 2.0
        self.rg = self.r0 * math.cos(ALPHA0)
        self.ru = self.r0 + 1.0 + x
        self.rf = self.r0 - 1.25 + x
        self.rb = pitch_radius          # radius that rolls through the pitch point
        self.centre = (0.0, centre_y)

    def undercut_expected(self):
        """True when a 20 degree rack cuts into the base of the flank.

        The rack's tip line (1 - x below the pitch line) reaches past the
        interference point when (1 - x) > r0 sin^2(a0).
        """
        return (1.0 - self.x) > self.r0 * math.sin(ALPHA0) ** 2 + 1e-9


class Pair:
    """The pair as one of the mesh views draws it (shifted, or standard)."""

    def __init__(self, z1, z2, x1, x2, standard=False):
        if standard:
            x1 = x2 = 0.0
        self.z1, self.z2, self.x1, self.x2 = z1, z2, x1, x2
        a = ALPHA0 if standard else working_pressure_angle(z1, z2, x1, x2)
        if a is None:
            raise ValueError("the shift coefficients do not mesh")
        self.alpha = a
        rg1 = z1 / 2.0 * math.cos(ALPHA0)
        rg2 = z2 / 2.0 * math.cos(ALPHA0)
        rb1 = rg1 / math.cos(a)
        rb2 = rg2 / math.cos(a)
        self.gear1 = Gear(z1, x1, rb1, -rb1)
        self.gear2 = Gear(z2, x2, rb2, rb2)
        sa, ca = math.sin(a), math.cos(a)
        self.n1 = (rb1 * sa * ca, -rb1 * sa * sa)
        self.n2 = (-rb2 * sa * ca, rb2 * sa * sa)
        self.dist_n1 = rb1 * sa
        self.dist_n2 = rb2 * sa
        # Where each tip circle crosses the line of action, as distances from the
        # pitch point (gear 2's tip on the N1 side, gear 1's on the N2 side).
        self.dist_t2 = math.sqrt(self.gear2.ru ** 2 - rg2 ** 2) - rb2 * sa
        self.dist_t1 = math.sqrt(self.gear1.ru ** 2 - rg1 ** 2) - rb1 * sa
        self.ratio = z1 / z2

    def point_on_line(self, s):
        """Point of the line of action at signed distance s (s > 0 towards N2)."""
        return (-s * math.cos(self.alpha), s * math.sin(self.alpha))

    def limits_if_no_undercut(self):
        """Ends of the path of contact when neither gear is undercut."""
        return (min(self.dist_n1, self.dist_t2), min(self.dist_n2, self.dist_t1))


def base_step(z1):
    """One animation step of gear 1: a fortieth of its angular pitch."""
    return math.pi / (20 * z1)

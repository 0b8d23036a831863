# The SL chart of a report, drawn the plain way: R6 and R5 against the date.
import sys
from datetime import date, timedelta
import matplotlib
matplotlib.use("Agg")
import matplotlib.pyplot as plt

days, r6, r5 = [], [], []
with open(sys.argv[1], "rb") as f:
    for raw in f:
        fields = raw.decode("latin-1").split()
        if len(fields) < 11 or len(fields[0]) != 5:
            continue
        try:
            doy, yy = int(fields[0][:3]), int(fields[0][3:])
            when = date(2000 + yy if yy < 80 else 1900 + yy, 1, 1) + timedelta(days=doy - 1)
            a, b = float(fields[9]), float(fields[8])
        except ValueError:
            continue
        days.append(when); r6.append(a); r5.append(b)
fig, (top, bottom) = plt.subplots(2, 1, sharex=True, figsize=(10.1, 6.0), dpi=100)
top.plot(days, r6, "o", color="red", markersize=4, markeredgecolor="black")
top.set_ylabel("R6")
bottom.plot(days, r5, "o", color="green", markersize=4, markeredgecolor="black")
bottom.set_ylabel("R5")
bottom.set_xlabel("Date")
fig.savefig(sys.argv[2])

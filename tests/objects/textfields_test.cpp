// Records as text fields: the fields the edit dialogs show read back into the same record, also
// after many edits, and the sexagesimal fields never show 60.
#include "objects/textfields.h"

#include <cmath>

#include "astro/angles.h"
#include "objects/textimport.h"
#include "tests/objects/database_fixture.h"

namespace qv {
namespace {

constexpr double Arcsecond = 4.84813681109536e-06;

std::string Joined(const std::vector<std::string>& fields) {
  std::string line;
  for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
  return line;
}

std::unique_ptr<ObjectRecord> Reparsed(const ObjectRecord& record, double epochYear = 2000.0) {
  std::unique_ptr<ObjectRecord> back;
  EXPECT_EQ(ParseObjectLine(Joined(ObjectTextFields(record, epochYear)), back), ResultOk);
  return back;
}

// The angle between two directions of any length (a moved catalog position is not a unit vector).
double Separation(const DirectionVector& a, const DirectionVector& b) {
  const Vector3 u = VectorFromDirection(a), v = VectorFromDirection(b);
  Vector3 cross;
  Cross(u, v, cross);
  return std::atan2(Length(cross), Dot(u, v));
}

class TextFieldsTest : public DatabaseTest {
 protected:
  void SetUp() override {
    DatabaseTest::SetUp();
    CreateDatabase();
  }
};

TEST_F(TextFieldsTest, StarsReadBackFromTheirFields) {
  std::unique_ptr<ObjectRecord> star;
  ASSERT_EQ(
      ParseObjectLine("S4\t1950\t18 36 56.3\t+38 47 01\t0.017\t0.287\t0.03-0.12,9.5\t0.0\t-13.9\t"
                      "7.68\t60\tVega; $a Lyr",
                      star),
      ResultOk);
  const SkyObjectRecord& s = *SkyObjectOf(*star);
  for (double epoch : {2000.0, 1950.0, 2100.0}) {
    SCOPED_TRACE(epoch);
    auto back = Reparsed(*star, epoch);
    ASSERT_EQ(back->kind, KindMultipleVariableStar);
    const SkyObjectRecord& b = *SkyObjectOf(*back);
    // 0.01 s and 0.1" are shown, the motions to 0.0001 s/yr and 0.001"/yr.
    EXPECT_LT(Separation(b.position, s.position), (epoch == 2000.0 ? 0.2 : 3.0) * Arcsecond);
    EXPECT_EQ(b.visualMagnitude, 3);
    EXPECT_EQ(b.variabilityOffset, 9);
    EXPECT_EQ(b.companionOffset, 947);
    EXPECT_EQ(b.colorIndex, 0);
    EXPECT_NEAR(b.distance, s.distance, 1e-3 * s.distance);
    EXPECT_NEAR(b.radialVelocity, s.radialVelocity, 1e-3 * std::fabs(s.radialVelocity));
    const double shownMotion = 0.002 * Arcsecond / 365.25 * MotionDaysPerUnit * DirectionScale;
    EXPECT_NEAR(b.motion.y, s.motion.y, shownMotion);
    EXPECT_FLOAT_EQ(b.size, s.size);
    EXPECT_EQ(DisplayName(*back), "Vega; $a Lyr");
  }
  // Repeated edits change nothing: no hundredth is lost to rounding on the way.
  auto edited = Reparsed(*star);
  for (int k = 0; k < 10; ++k) edited = Reparsed(*edited);
  EXPECT_EQ(SkyObjectOf(*edited)->visualMagnitude, 3);
  EXPECT_EQ(MagnitudesOf(*SkyObjectOf(*edited)).companion, 950);
}

TEST_F(TextFieldsTest, FieldsAreShownAsTheDialogsShowThem) {
  auto star = NewRecord(KindVariableStar);
  SkyObjectOf(*star)->position = {1073741824, 0, 0};
  SkyObjectOf(*star)->distance = UnknownValue;
  SkyObjectOf(*star)->radialVelocity = UnknownValue;
  SkyObjectOf(*star)->variabilityOffset = UnknownMagnitude;
  SetObjectName(*star, "New Star");
  EXPECT_EQ(ObjectTextFields(*star),
            (std::vector<std::string>{"S03", "2000.0", "00 00 00.00", "+00 00 00.0", "+0.0000",
                                      "+0.000", "+0.00", "+0.00", "", "", "0.0", "New Star"}));

  // 23h 59m 59.996s shows as 00 00 00.00; -59.96" as -00 01 00.0.
  const double ra = (23 + 59 / 60.0 + 59.996 / 3600) * 15 * Arcsecond * 3600;
  SkyObjectOf(*star)->position =
      DirectionFromVector(SphericalToRectangular(ra, -59.96 * Arcsecond, 1));
  const std::vector<std::string> fields = ObjectTextFields(*star);
  EXPECT_EQ(fields[2], "00 00 00.00");
  EXPECT_EQ(fields[3], "-00 01 00.0");
  EXPECT_TRUE(ObjectTextFields(*NewRecord(KindLocation)).empty());
}

TEST_F(TextFieldsTest, OrbitsReadBackFromTheirFields) {
  auto earth = NewRecord(KindEarth);
  SetObjectName(*earth, "Earth");
  OrbitOf(*earth)->mass = 3.0034896e-6f;
  AddObject(earth, DefaultFile());
  for (const char* line :
       {"P12\t2000.0\t2.767\t0.0785\t10.59\t73.6\t80.3\t291.4\t2024/3/15.25\t3.3 "
        "0.12\t470\t0.00016\tCeres",
        "P11\t1950.0\t-0.587\t1\t162.2\t111.3\t58.4\t0\t1986/2/9.4589\t5.5\t5.5\t\tHalley",
        "P15\t2000\t0.00257\t0.055\t5.1\t10\t20\t30\t2000/01/"
        "1.50000\t\t1737\t0.0123\tMoon\tEarth"}) {
    SCOPED_TRACE(line);
    std::unique_ptr<ObjectRecord> body;
    ASSERT_EQ(ParseObjectLine(line, body), ResultOk);
    const OrbitRecord& o = *OrbitOf(*body);
    auto back = Reparsed(*body, 1950.0);
    const OrbitRecord& b = *OrbitOf(*back);
    EXPECT_EQ(back->kind, body->kind);
    EXPECT_NEAR(b.q, o.q, 1e-7 * o.q);
    EXPECT_NEAR(b.e, o.e, 1e-7);
    for (auto [got, want] : {std::pair{b.i, o.i},
                             {b.omega, o.omega},
                             {b.node, o.node},
                             {b.meanAnomaly, o.meanAnomaly}}) {
      EXPECT_NEAR(std::remainder(got - want, 2 * M_PI), 0, 1e-6);
    }
    EXPECT_NEAR(b.epoch, o.epoch, 1e-5);
    EXPECT_EQ(b.magnitudeParam1, o.magnitudeParam1);
    EXPECT_EQ(b.magnitudeParam2, o.magnitudeParam2);
    EXPECT_FLOAT_EQ(b.radius, o.radius);
    EXPECT_FLOAT_EQ(b.mass, o.mass);
    EXPECT_EQ(b.primary, o.primary);
    EXPECT_EQ(b.name, o.name);
  }
}

}  // namespace
}  // namespace qv

// The neuron: random initialisation, accessors, output modes, precision and
// overflow.

#include "neuron/neuron.h"
#include "raised_message.h"
#include "runtime/random.h"

#include <QTest>
#include <bit>
#include <cfloat>
#include <cmath>

namespace {

float bitsToFloat(uint32_t bits)
{
    return std::bit_cast<float>(bits);
}

} // namespace

class NeuronTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { clock_source::setTicksSource({}); }

    void createDrawsFromTheClockInOrder()
    {
        clock_source::setTicksSource([] { return 12345u; });
        Neuron neuron(2);

        // Replay the draws: value, sign, factor, weight per link, then threshold.
        rng::setSeed(12345u);
        for (int i = 0; i < 2; ++i) {
            const float value = static_cast<float>(rng::draw());
            const bool negative = static_cast<float>(rng::draw()) < extended::fromDecimal("0.51");
            float factor = static_cast<float>(rng::draw());
            if (negative)
                factor = -factor;
            const float weight = static_cast<float>(rng::draw() * factor);
            QCOMPARE(neuron.GetInput(i), value);
            QCOMPARE(neuron.GetWeight(i), weight);
        }
        QCOMPARE(neuron.Threshold, static_cast<float>(rng::draw()));
        QCOMPARE(neuron.AnalogOutput, false);
        QCOMPARE(neuron.ActivationMode, uint8_t(0));
        QCOMPARE(neuron.InputCount, 2);
    }

    void randomNeuronsLieInRangeAndLeanNegative()
    {
        uint32_t tick = 1;
        clock_source::setTicksSource([&tick] { return tick++ * 2654435761u; });
        int negatives = 0, weights = 0;
        for (int n = 0; n < 20000; ++n) {
            Neuron neuron(2);
            QVERIFY(neuron.Threshold >= 0.0f && neuron.Threshold < 1.0f);
            for (int i = 0; i < 2; ++i) {
                QVERIFY(neuron.GetInput(i) >= 0.0f && neuron.GetInput(i) < 1.0f);
                QVERIFY(std::fabs(neuron.GetWeight(i)) < 1.0f);
                negatives += neuron.GetWeight(i) < 0.0f;
                ++weights;
            }
        }
        const double share = double(negatives) / weights;
        QVERIFY2(share > 0.49 && share < 0.53, qPrintable(QString::number(share)));
    }

    void outOfRangeIndicesAreIgnored()
    {
        Neuron neuron(3);
        neuron.SetWeight(1, 0.5f);
        const int32_t current = neuron.currentLink();
        QCOMPARE(current, 1);
        QCOMPARE(neuron.GetInput(-1), 0.0f);
        QCOMPARE(neuron.GetWeight(3), 0.0f);
        neuron.SetInput(5, 9.0f);
        neuron.SetWeight(-2, 9.0f);
        QCOMPARE(neuron.currentLink(), current);
        for (int i = 0; i < 3; ++i)
            QVERIFY(neuron.GetInput(i) != 9.0f && neuron.GetWeight(i) != 9.0f);
    }

    void neuronWithoutInputsComparesZeroWithThreshold()
    {
        Neuron neuron(0);
        QCOMPARE(neuron.WeightedSum(), 0.0f);
        neuron.Threshold = -0.25f;
        QCOMPARE(neuron.Output(), 1.0f);
        neuron.Threshold = 0.0f;
        QCOMPARE(neuron.Output(), 0.0f);
        Neuron negative(-3);
        QCOMPARE(negative.WeightedSum(), 0.0f);
    }

    void outputModes()
    {
        Neuron neuron(2);
        neuron.SetInput(0, 1.0f);
        neuron.SetInput(1, 1.0f);
        neuron.SetWeight(0, 0.5f);
        neuron.SetWeight(1, 0.25f);
        neuron.Threshold = 0.5f;
        QCOMPARE(neuron.WeightedSum(), 0.75f);
        QCOMPARE(neuron.Output(), 1.0f); // step
        neuron.ActivationMode = 1;
        QCOMPARE(neuron.Output(), 1.0f); // sigmoid family, still the step
        neuron.AnalogOutput = true;
        QCOMPARE(neuron.Output(), static_cast<float>(Extended(1) / (Extended(1) + extended::exp(Extended(-0.25)))));
        QVERIFY(std::fabs(neuron.Output() - 0.5622f) < 1e-4f);
        neuron.ActivationMode = 0;
        QCOMPARE(neuron.Output(), 0.75f); // the sum itself

        // A sum equal to the threshold: step 0, sigmoid exactly one half.
        neuron.Threshold = 0.75f;
        neuron.AnalogOutput = false;
        QCOMPARE(neuron.Output(), 0.0f);
        neuron.AnalogOutput = true;
        neuron.ActivationMode = 1;
        QCOMPARE(neuron.Output(), 0.5f);
    }

    void sumsAreFormedInExtendedPrecision()
    {
        // Rounding the product to 32 bits first would give 6.29490662.
        Neuron neuron(2);
        neuron.SetInput(0, 1.0f);
        neuron.SetWeight(0, bitsToFloat(0x40c49249));
        neuron.SetInput(1, bitsToFloat(0x3fd30800));
        neuron.SetWeight(1, bitsToFloat(0x3dbce058));
        const float product = neuron.GetInput(1) * neuron.GetWeight(1);
        QVERIFY(product + neuron.GetWeight(0) != neuron.WeightedSum());
        QCOMPARE(neuron.WeightedSum(),
                 static_cast<float>(Extended(neuron.GetInput(1)) * neuron.GetWeight(1) + neuron.GetWeight(0)));
    }

    void overflowRaisesAndChangesNothing()
    {
        Neuron neuron(2);
        for (int i = 0; i < 2; ++i) {
            neuron.SetInput(i, 1.0f);
            neuron.SetWeight(i, FLT_MAX);
        }
        neuron.Threshold = 0.5f;
        QCOMPARE(raisedMessage([&] { neuron.WeightedSum(); }), QStringLiteral("Floating point overflow"));
        QCOMPARE(raisedMessage([&] { neuron.Output(); }), QStringLiteral("Floating point overflow"));
        QCOMPARE(neuron.GetWeight(0), FLT_MAX);
        QCOMPARE(neuron.Threshold, 0.5f);

        // The largest finite sum is no overflow.
        neuron.SetWeight(1, -FLT_MAX);
        QCOMPARE(neuron.WeightedSum(), 0.0f);

        // The sigmoid's exponential beyond the extended range.
        neuron.SetWeight(0, -FLT_MAX);
        neuron.SetWeight(1, 0.0f);
        neuron.Threshold = FLT_MAX;
        neuron.AnalogOutput = true;
        neuron.ActivationMode = 1;
        QCOMPARE(raisedMessage([&] { neuron.Output(); }), QStringLiteral("Floating point overflow"));
        // ... while its underflow simply saturates the output at 1.
        neuron.Threshold = -FLT_MAX;
        neuron.SetWeight(0, FLT_MAX);
        QCOMPARE(neuron.Output(), 1.0f);
    }

    void tinyResultsBecomeSubnormalNotErrors()
    {
        Neuron neuron(1);
        neuron.SetInput(0, 1e-20f);
        neuron.SetWeight(0, 1e-20f);
        QCOMPARE(neuron.WeightedSum(), static_cast<float>(Extended(neuron.GetInput(0)) * neuron.GetWeight(0)));
        QVERIFY(std::fpclassify(neuron.WeightedSum()) == FP_SUBNORMAL);
    }
};

QTEST_APPLESS_MAIN(NeuronTest)
#include "test_neuron.moc"

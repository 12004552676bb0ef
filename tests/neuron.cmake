tivaro_add_test(test_neuron SOURCES test_neuron.cpp LIBS tivaro_neuron)
